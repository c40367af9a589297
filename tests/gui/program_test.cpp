// The real program, started as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

std::string ProgramPath() { return WindowsPathOf(ZOBL_PROGRAM_PATH); }

struct FindArgs {
  DWORD processId;
  HWND found;
};

HWND MainWindowOf(DWORD processId) {
  FindArgs args{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* find = reinterpret_cast<FindArgs*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (owner == find->processId && std::string(className) == "TForm1" && IsWindowVisible(window)) {
          find->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&args));
  return args.found;
}

// The program started in `workingDirectory`, once its window is up.
struct StartedProgram {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

StartedProgram Start(const ScopedWorkingDirectory& workingDirectory) {
  StartedProgram started;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = ProgramPath();
  commandLine.insert(commandLine.begin(), '"');
  commandLine.push_back('"');
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDirectory.Path().c_str(),
                      &startup, &started.process)) {
    ADD_FAILURE() << "cannot start " << ProgramPath();
    return started;
  }
  for (int i = 0; i < 200 && started.window == nullptr; ++i) {
    Sleep(50);
    started.window = MainWindowOf(started.process.dwProcessId);
  }
  return started;
}

DWORD ExitCodeAfterClosing(const StartedProgram& program) {
  DWORD exitCode = 1;
  if (WaitForSingleObject(program.process.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(program.process.hProcess, 3);
    ADD_FAILURE() << "the program did not end";
  }
  GetExitCodeProcess(program.process.hProcess, &exitCode);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  return exitCode;
}

class ProgramTest : public ::testing::TestWithParam<bool> {};

TEST_P(ProgramTest, ClosingEndsTheProcessWithCodeZero) {
  const bool byQuitButton = GetParam();
  ScopedWorkingDirectory workingDirectory;
  const StartedProgram program = Start(workingDirectory);
  const HWND window = program.window;
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  if (byQuitButton) {
    const HWND quit = FindWindowExA(window, nullptr, "BUTTON", "Quit ZOBL");
    ASSERT_NE(quit, nullptr);
    PostMessageA(quit, BM_CLICK, 0, 0);
  } else {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  EXPECT_EQ(ExitCodeAfterClosing(program), 0u);
}

// The close, queued behind the click, is handled by the message pump of the run the
// click starts: the run stops in the middle of its scan and the program ends normally.
TEST(ProgramClosing, InTheMiddleOfAComputeRunEndsWithCodeZero) {
  ScratchDirectory scratch("closing");
  CreateFileOrThrow(scratch.Path() + "\\un.exe", 100);
  TestDescriptors descriptors;
  descriptors.Add("closing", "Closing", scratch.Path() + "\\un.exe");
  ScopedWorkingDirectory workingDirectory;
  const StartedProgram program = Start(workingDirectory);
  ASSERT_NE(program.window, nullptr);
  const HWND compute = FindWindowExA(program.window, nullptr, "BUTTON", "Compute the Files Size");
  ASSERT_NE(compute, nullptr);
  PostMessageA(compute, BM_CLICK, 0, 0);
  PostMessageA(program.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCodeAfterClosing(program), 0u);
}

INSTANTIATE_TEST_SUITE_P(ByQuitAndByCloseBox, ProgramTest, ::testing::Bool(), [](const auto& param) {
  return param.param ? "QuitButton" : "CloseBox";
});

}  // namespace
}  // namespace zobl::testing
