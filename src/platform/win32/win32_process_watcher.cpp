#include "platform/win32/win32_process_watcher.h"

#include "platform/win32/program_process.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/system_error_text.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

// The completion key of the job's notices on its port.
constexpr ULONG_PTR kJobKey = 1;

class Win32WatchedProcess final : public WatchedProcess {
 public:
  Win32WatchedProcess(ScopedKernelHandle job, ScopedKernelHandle port, ScopedKernelHandle process, bool inJob)
      : job_(std::move(job)), port_(std::move(port)), process_(std::move(process)), inJob_(inJob) {}

  bool Ended() override {
    if (ended_) return true;
    if (!inJob_) {
      ended_ = WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
      return ended_;
    }
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    while (GetQueuedCompletionStatus(port_.Get(), &message, &key, &detail, 0)) {
      if (key == kJobKey && message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) ended_ = true;
    }
    return ended_;
  }

  std::optional<std::uint32_t> ExitCode() override {
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.Get(), &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
  }

 private:
  ScopedKernelHandle job_;
  ScopedKernelHandle port_;
  ScopedKernelHandle process_;
  bool inJob_;
  bool ended_ = false;
};

// `create` makes the process suspended, so that nothing it starts can escape the watch
// before it is in the job.
template <typename Create>
std::unique_ptr<WatchedProcess> StartInJob(const ProgramStart& start, std::uint32_t& failure, Create&& create) {
  ScopedKernelHandle job(CreateJobObjectW(nullptr, nullptr));
  ScopedKernelHandle port(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
  bool inJob = false;
  if (job.IsValid() && port.IsValid()) {
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{reinterpret_cast<PVOID>(kJobKey), port.Get()};
    inJob = SetInformationJobObject(job.Get(), JobObjectAssociateCompletionPortInformation, &association,
                                    sizeof association) != 0;
  }
  PROCESS_INFORMATION started{};
  if (!CreateProgramProcess(start, started, create)) {
    failure = GetLastError();
    return nullptr;
  }
  ScopedKernelHandle process(started.hProcess);
  const ScopedKernelHandle thread(started.hThread);
  // Windows 7 puts no process in a second job: a program started from inside a job (some
  // shells and schedulers start one so) is then watched alone.
  inJob = inJob && AssignProcessToJobObject(job.Get(), process.Get()) != 0;
  ResumeThread(thread.Get());
  return std::make_unique<Win32WatchedProcess>(std::move(job), std::move(port), std::move(process), inJob);
}

}  // namespace

std::unique_ptr<WatchedProcess> Win32ProcessWatcher::Start(const ProgramStart& start, std::uint32_t& failure) {
  return StartInJob(start, failure,
                    [](const wchar_t* program, wchar_t* line, STARTUPINFOW& startup, PROCESS_INFORMATION& started) {
                      return CreateProcessW(program, line, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                            &startup, &started) != 0;
                    });
}

// The desktop's shell runs with the user's ordinary rights: a copy of its token starts the
// program, which an elevated process may do.
std::unique_ptr<WatchedProcess> Win32ProcessWatcher::StartAsUser(const ProgramStart& start, std::uint32_t& failure) {
  DWORD shellId = 0;
  const HWND desktop = GetShellWindow();
  if (desktop == nullptr || GetWindowThreadProcessId(desktop, &shellId) == 0) {
    failure = ERROR_NOT_FOUND;
    return nullptr;
  }
  const ScopedKernelHandle shell(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellId));
  ScopedKernelHandle shellToken;
  ScopedKernelHandle token;
  if (!shell.IsValid() || !OpenProcessToken(shell.Get(), TOKEN_DUPLICATE, shellToken.Receive()) ||
      !DuplicateTokenEx(
          shellToken.Get(),
          TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID, nullptr,
          SecurityImpersonation, TokenPrimary, token.Receive())) {
    failure = GetLastError();
    return nullptr;
  }
  return StartInJob(
      start, failure,
      [&token](const wchar_t* program, wchar_t* line, STARTUPINFOW& startup, PROCESS_INFORMATION& started) {
        return CreateProcessWithTokenW(token.Get(), 0, program, line, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                                       &started) != 0;
      });
}

std::string Win32ProcessWatcher::FailureText(std::uint32_t failure) const { return SystemErrorText(failure); }

}  // namespace zobl::win32
