#include "platform/win32/win32_clipboard.h"

#include <cstring>
#include <string>
#include <utility>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

// Open for as long as it lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    // Another program may hold it for a moment (a clipboard manager reading what we put).
    for (int attempt = 0; attempt < 10 && !(open_ = OpenClipboard(owner) != 0); ++attempt) Sleep(20);
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  [[nodiscard]] bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

bool Win32Clipboard::PutText(std::string_view text) {
  const std::wstring wide = Wide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));  // freed unless the clipboard takes it
  if (!memory.IsValid()) return false;
  {
    const LockedGlobal<void> locked(memory.Get());
    if (locked.Get() == nullptr) return false;
    std::memcpy(locked.Get(), wide.c_str(), bytes);
  }
  const OpenedClipboard clipboard(owner_);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard's now
  return true;
}

}  // namespace zobl::win32
