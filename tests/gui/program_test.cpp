// The real program, started as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"

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

class ProgramTest : public ::testing::TestWithParam<bool> {};

TEST_P(ProgramTest, ClosingEndsTheProcessWithCodeZero) {
  const bool byQuitButton = GetParam();
  ScopedWorkingDirectory workingDirectory;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = ProgramPath();
  commandLine.insert(commandLine.begin(), '"');
  commandLine.push_back('"');
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             workingDirectory.Path().c_str(), &startup, &process))
      << ProgramPath();
  HWND window = nullptr;
  for (int i = 0; i < 200 && window == nullptr; ++i) {
    Sleep(50);
    window = MainWindowOf(process.dwProcessId);
  }
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  if (byQuitButton) {
    const HWND quit = FindWindowExA(window, nullptr, "BUTTON", "Quit ZOBL");
    ASSERT_NE(quit, nullptr);
    PostMessageA(quit, BM_CLICK, 0, 0);
  } else {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(ByQuitAndByCloseBox, ProgramTest, ::testing::Bool(), [](const auto& param) {
  return param.param ? "QuitButton" : "CloseBox";
});

}  // namespace
}  // namespace zobl::testing
