// The real program, started as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"
#include "mainwindow/main_window.h"
#include "platform/win32/scoped_handles.h"
#include "program_windows.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

std::string ProgramPath() { return WindowsPathOf(ZOBL_PROGRAM_PATH); }

// The program started in `workingDirectory`. It never outlives the test: a test that
// fails before closing it ends it.
class StartedProgram {
 public:
  explicit StartedProgram(const ScopedWorkingDirectory& workingDirectory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + ProgramPath() + "\"";
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.Path().c_str(), &startup, &started)) {
      ADD_FAILURE() << "cannot start " << ProgramPath();
      return;
    }
    process_ = win32::ScopedKernelHandle(started.hProcess);
    thread_ = win32::ScopedKernelHandle(started.hThread);
    processId_ = started.dwProcessId;
    PumpUntil([&] { return (window_ = VisibleWindowOf(processId_, kMainWindowClass)) != nullptr || Ended(); }, 20000);
  }
  ~StartedProgram() {
    if (process_.IsValid() && !Ended()) {
      TerminateProcess(process_.Get(), 3);
      WaitForSingleObject(process_.Get(), 5000);
    }
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  [[nodiscard]] HWND Window() const { return window_; }

  // The exit code once the program has ended by itself.
  DWORD ExitCodeAfterClosing() const {
    DWORD exitCode = 1;
    if (!process_.IsValid() || WaitForSingleObject(process_.Get(), 20000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the program did not end";
      return exitCode;
    }
    GetExitCodeProcess(process_.Get(), &exitCode);
    return exitCode;
  }

 private:
  bool Ended() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; }

  win32::ScopedKernelHandle process_;
  win32::ScopedKernelHandle thread_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

class ProgramTest : public ::testing::TestWithParam<bool> {};

TEST_P(ProgramTest, ClosingEndsTheProcessWithCodeZero) {
  const bool byQuitButton = GetParam();
  ScopedWorkingDirectory workingDirectory;
  const StartedProgram program(workingDirectory);
  const HWND window = program.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  if (byQuitButton) {
    const HWND quit = FindWindowExA(window, nullptr, "BUTTON", "Quit ZOBL");
    ASSERT_NE(quit, nullptr);
    PostMessageA(quit, BM_CLICK, 0, 0);
  } else {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  EXPECT_EQ(program.ExitCodeAfterClosing(), 0u);
}

// The close, queued behind the click, is handled by the message pump of the run the
// click starts: the run stops in the middle of its scan and the program ends normally.
TEST(ProgramClosing, InTheMiddleOfAComputeRunEndsWithCodeZero) {
  ScratchDirectory scratch("closing");
  CreateFileOrThrow(scratch.Path() + "\\un.exe", 100);
  TestDescriptors descriptors;
  descriptors.Add("closing", "Closing", scratch.Path() + "\\un.exe");
  ScopedWorkingDirectory workingDirectory;
  const StartedProgram program(workingDirectory);
  ASSERT_NE(program.Window(), nullptr);
  const HWND compute = FindWindowExA(program.Window(), nullptr, "BUTTON", "Compute the Files Size");
  ASSERT_NE(compute, nullptr);
  PostMessageA(compute, BM_CLICK, 0, 0);
  PostMessageA(program.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCodeAfterClosing(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ByQuitAndByCloseBox, ProgramTest, ::testing::Bool(), [](const auto& param) {
  return param.param ? "QuitButton" : "CloseBox";
});

}  // namespace
}  // namespace zobl::testing
