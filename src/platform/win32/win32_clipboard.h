#pragma once

#include <windows.h>

#include "platform/clipboard.h"

namespace zobl::win32 {

// The text goes on the clipboard as Unicode text (CF_UNICODETEXT): the system makes the
// 8-bit forms from it for programs that ask for those.
class Win32Clipboard final : public Clipboard {
 public:
  // The clipboard takes nothing from a program without a window: it must own it.
  void SetOwner(HWND owner) { owner_ = owner; }

  bool PutText(std::string_view text) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace zobl::win32
