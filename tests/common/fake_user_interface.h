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
    return icon == BoxIcon::Question ? answer : BoxAnswer::Ok;
  }

  BoxAnswer answer = BoxAnswer::Yes;
  std::function<void()> whileShown;
  std::vector<Box> shown;
};

// Records what would have been started or opened.
class FakeShell final : public Shell {
 public:
  unsigned StartCommand(const std::string& commandLine) override {
    started.push_back(commandLine);
    return startResult;
  }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  bool OpenFolder(const std::string&) override { return true; }

  unsigned startResult = 33;
  std::vector<std::string> started;
  std::vector<std::string> opened;
};

}  // namespace zobl::testing
