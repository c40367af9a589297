#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/user_dialogs.h"

namespace zobl::testing {

// Message boxes answered by the test; each shown box is recorded.
class FakeDialogs final : public UserDialogs {
 public:
  struct Box {
    std::string text;
    BoxIcon icon;
  };
  BoxAnswer Show(const std::string& text, BoxIcon icon) override {
    shown.push_back({text, icon});
    if (whileShown) whileShown();  // the box's own message loop runs other handlers
    return icon == BoxIcon::Question || icon == BoxIcon::WarningQuestion ? answer : BoxAnswer::Ok;
  }

  BoxAnswer answer = BoxAnswer::Yes;
  std::function<void()> whileShown;
  std::vector<Box> shown;
};

// Records what would have been started or opened.
class FakeShell final : public Shell {
 public:
  std::uint32_t StartProgram(const ProgramStart& start) override {
    started.push_back(start.CommandLine());
    return startResult;
  }
  bool RunsElevated() override { return elevated; }
  bool StartProgramAsUser(const ProgramStart& start) override {
    if (!desktopShell) return false;
    startedAsUser.push_back(start.CommandLine());
    return true;
  }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  bool OpenFolder(const std::string&) override { return true; }

  std::uint32_t startResult = 0;
  bool elevated = false;
  bool desktopShell = true;
  std::vector<std::string> started;
  std::vector<std::string> startedAsUser;
  std::vector<std::string> opened;
};

}  // namespace zobl::testing
