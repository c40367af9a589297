#pragma once

#include <windows.h>

#include "platform/user_dialogs.h"

namespace zobl::win32 {

// Message boxes owned by the program's window, so that it takes no input meanwhile.
class Win32UserDialogs final : public UserDialogs {
 public:
  explicit Win32UserDialogs(const char* title) : title_(title) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  BoxAnswer Show(const std::string& text, BoxIcon icon) override;

 private:
  const char* title_;
  HWND owner_ = nullptr;
};

}  // namespace zobl::win32
