// Times `zobl-cli.exe /list /json` as a whole process, its standard output a file: with no
// descriptors, then with 1,000 in two shapes, each against the empty run plus the bare
// Win32 calls of its pass (bare_complete_reading_win.h), timed in turn with it, in one
// run. Run pinned to one core with its wineserver (bench/cli.sh).
//   zobl_cli_bench PATH\TO\zobl-cli.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../mainwindow/bench_descriptors.h"
#include "bare_complete_reading_win.h"
#include "platform/win32/scoped_handles.h"

namespace {

using Clock = std::chrono::steady_clock;
using zobl::bench::DescriptorKind;
using zobl::win32::ScopedFileHandle;
using zobl::win32::ScopedKernelHandle;
constexpr int kRounds = 7;
// In the working directory the script gives the benchmark.
constexpr char kOutput[] = "cli-output.json";
constexpr char kBareOutput[] = "bare-output.json";

struct Run {
  double milliseconds;
  long rows;  // programs in the document
  std::size_t bytes;
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

ScopedFileHandle NewFile(const char* name, SECURITY_ATTRIBUTES* security = nullptr) {
  return ScopedFileHandle(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, security, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The programs in the document and its size.
std::pair<long, std::size_t> ReadDocument() {
  std::ifstream file(kOutput, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  long rows = 0;
  for (std::size_t at = text.find("\"keyName\""); at != std::string::npos; at = text.find("\"keyName\"", at + 1)) ++rows;
  return {rows, text.size()};
}

Run TimeOneRun(const std::string& program) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  DWORD exitCode = 1;
  Clock::time_point start;
  double milliseconds = 0;
  {
    const ScopedFileHandle output = NewFile(kOutput, &inherited);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string commandLine = "\"" + program + "\" /list /json";
    PROCESS_INFORMATION started{};
    start = Clock::now();
    if (!output.IsValid() || !CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                             &startup, &started)) {
      std::fprintf(stderr, "cannot start %s\n", program.c_str());
      std::exit(1);
    }
    const ScopedKernelHandle thread(started.hThread);
    const ScopedKernelHandle process(started.hProcess);
    WaitForSingleObject(process.Get(), INFINITE);
    milliseconds = MillisecondsSince(start);
    GetExitCodeProcess(process.Get(), &exitCode);
  }
  if (exitCode != 0) {
    std::fprintf(stderr, "%s /list /json exited with %lu\n", program.c_str(), exitCode);
    std::exit(1);
  }
  const auto [rows, bytes] = ReadDocument();
  return {milliseconds, rows, bytes};
}

// The bare pass, and the document's bytes written to a file as the program writes its
// standard output: in one call.
double TimeBarePass(std::size_t documentBytes) {
  const std::string document(documentBytes, ' ');
  const ScopedFileHandle output = NewFile(kBareOutput);
  const auto start = Clock::now();
  BareCompleteReading();
  DWORD written = 0;
  WriteFile(output.Get(), document.data(), static_cast<DWORD>(document.size()), &written, nullptr);
  return MillisecondsSince(start);
}


double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Run MedianRun(const std::string& program, std::vector<double>* bares = nullptr) {
  std::vector<Run> runs;
  for (int i = 0; i < kRounds; ++i) {
    runs.push_back(TimeOneRun(program));
    if (bares != nullptr) bares->push_back(TimeBarePass(runs.back().bytes));
  }
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.milliseconds < b.milliseconds; });
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zobl_cli_bench PATH\\TO\\zobl-cli.exe\n");
    return 2;
  }
  const std::string program = argv[1];
  TimeOneRun(program);  // warm the file cache and the server
  const Run empty = MedianRun(program);
  std::printf("zobl-cli /list /json as a whole process, its output a file, median of %d\n", kRounds);
  std::printf("  %-58s %5ld rows: %8.1f ms\n", "no descriptors", empty.rows, empty.milliseconds);
  for (const auto& [kind, title] :
       {std::pair{DescriptorKind::InstalledDirectory, "A: each program's directory there, 1,000 under one parent"},
        std::pair{DescriptorKind::ProgramDirectory, "B: the start-up benchmark's, a tenth of the directories there"}}) {
    const zobl::bench::BenchDescriptors descriptors(kind);
    TimeBarePass(TimeOneRun(program).bytes);  // warm: the new keys and directories seen once
    std::vector<double> bares;
    const Run full = MedianRun(program, &bares);
    const double bare = Median(bares);
    std::printf("  %-58s %5ld rows: %8.1f ms\n", title, full.rows, full.milliseconds);
    std::printf("    bare Win32 calls of its pass: %.1f ms; excess above the empty run plus them: %.1f ms\n", bare,
                full.milliseconds - empty.milliseconds - bare);
    std::printf("    ratio to the empty run plus the bare calls: %.2fx (goal <= 1.2x)\n",
                full.milliseconds / (empty.milliseconds + bare));
  }
  return 0;
}
