// Times DirectorySize under Wine, with the window thread's pump, against a bare loop of
// the same Win32 calls (bench/directory_size.sh runs it pinned to one core).
//   zobl_directory_size_bench.exe DIR             one scan: "total N seconds S"
//   zobl_directory_size_bench.exe --rounds R DIR  R rounds of both: lines "scan N S" and
//                                                  "bare N S" per round
// A round times the two one subdirectory of DIR at a time, back to back and in turns
// first, so that whatever else loads the machine weighs on both alike. Files directly in
// DIR are left out of a round.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bare_directory_size_win.h"
#include "diskusage/directory_size.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_message_pump.h"

namespace {

struct Timed {
  unsigned long long total;
  double seconds;
};

Timed Time(const std::function<unsigned long long()>& run) {
  const auto start = std::chrono::steady_clock::now();
  const unsigned long long total = run();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return {total, elapsed.count()};
}

Timed Scan(const char* directory) {
  zobl::win32::Win32DirectoryListing listing;
  zobl::win32::Win32MessagePump pump;
  return Time([&] { return zobl::DirectorySize(directory, listing, pump); });
}

Timed Bare(const char* directory) {
  return Time([&] { return BareDirectorySize(directory); });
}

void Print(const char* label, const Timed& timed) { std::printf("%s %llu %.6f\n", label, timed.total, timed.seconds); }

std::vector<std::string> Subdirectories(const std::string& directory) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." && name != "..") {
      found.push_back(directory + "\\" + name);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

void RunRounds(int rounds, const std::string& directory) {
  const std::vector<std::string> parts = Subdirectories(directory);
  for (int round = 0; round < rounds; ++round) {
    Timed scan{0, 0};
    Timed bare{0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i) {
      const auto add = [](Timed& sum, const Timed& part) {
        sum.total += part.total;
        sum.seconds += part.seconds;
      };
      if ((i + static_cast<std::size_t>(round)) % 2 == 0) {
        add(scan, Scan(parts[i].c_str()));
        add(bare, Bare(parts[i].c_str()));
      } else {
        add(bare, Bare(parts[i].c_str()));
        add(scan, Scan(parts[i].c_str()));
      }
    }
    Print("scan", scan);
    Print("bare", bare);
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    Print("total", Scan(argv[1]));
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--rounds") == 0) {
    RunRounds(std::atoi(argv[2]), argv[3]);
    return 0;
  }
  std::fprintf(stderr, "usage: zobl_directory_size_bench [--rounds R] DIRECTORY\n");
  return 2;
}
