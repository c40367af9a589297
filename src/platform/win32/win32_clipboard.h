#pragma once

#include <windows.h>

#include <string_view>

namespace zobl::win32 {

// The text goes on the clipboard as Unicode text (CF_UNICODETEXT): the system makes the
// 8-bit forms from it for programs that ask for those.
class Win32Clipboard final {
 public:
  // The clipboard takes nothing from a program without a window: it must own it.
  void SetOwner(HWND owner) { owner_ = owner; }

  // Puts `text` (UTF-8) on the clipboard in place of what it held; false when another
  // program keeps the clipboard or memory runs out.
  bool PutText(std::string_view text);

 private:
  HWND owner_ = nullptr;
};

}  // namespace zobl::win32
