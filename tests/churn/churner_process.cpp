#include "churner_process.h"

#include <stdexcept>

namespace zobl::churn {
namespace {

constexpr DWORD kStopWaitMilliseconds = 30000;

std::runtime_error Failure(const std::string& what) {
  return std::runtime_error(what + " (" + std::to_string(GetLastError()) + ")");
}

}  // namespace

ChurnerProcess::ChurnerProcess(const std::string& program, const std::string& trees, int treeCount) {
  const std::string stopName = "ZoblChurnStop-" + std::to_string(GetCurrentProcessId());
  stop_ = ScopedKernelHandle(CreateEventA(nullptr, TRUE, FALSE, stopName.c_str()));
  if (!stop_.IsValid()) throw Failure("cannot make the stop event");

  // Its output, errors included, comes back through a pipe read once it has ended: it
  // says little, and only at its end.
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  ScopedKernelHandle writeEnd;
  if (!CreatePipe(output_.Receive(), writeEnd.Receive(), &inheritable, 0) ||
      !SetHandleInformation(output_.Get(), HANDLE_FLAG_INHERIT, 0)) {
    throw Failure("cannot make the churner's pipe");
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  std::string commandLine = "\"" + program + "\" \"" + trees + "\" " + std::to_string(treeCount) + " " + stopName +
                            " " + std::to_string(GetCurrentProcessId());
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
    throw Failure("cannot start " + program);
  }
  CloseHandle(started.hThread);
  process_ = ScopedKernelHandle(started.hProcess);
}

ChurnerProcess::~ChurnerProcess() {
  if (!process_.IsValid()) return;
  SetEvent(stop_.Get());
  if (WaitForSingleObject(process_.Get(), kStopWaitMilliseconds) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
}

std::string ChurnerProcess::Stop() {
  SetEvent(stop_.Get());
  if (WaitForSingleObject(process_.Get(), kStopWaitMilliseconds) != WAIT_OBJECT_0) {
    throw std::runtime_error("the churner did not stop");
  }
  std::string said;
  char chunk[512];
  DWORD read = 0;
  while (ReadFile(output_.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) said.append(chunk, read);
  DWORD exitCode = 1;
  GetExitCodeProcess(process_.Get(), &exitCode);
  process_.Reset();
  if (exitCode != 0) throw std::runtime_error("the churner failed (" + std::to_string(exitCode) + "): " + said);
  return said;
}

}  // namespace zobl::churn
