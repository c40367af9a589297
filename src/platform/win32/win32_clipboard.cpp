#include "platform/win32/win32_clipboard.h"

#include <cstring>
#include <string>
#include <utility>

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

// Freed unless the clipboard took it.
class GlobalMemory {
 public:
  explicit GlobalMemory(std::size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~GlobalMemory() {
    if (memory_ != nullptr) GlobalFree(memory_);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;

  [[nodiscard]] HGLOBAL Get() const { return memory_; }
  HGLOBAL Release() { return std::exchange(memory_, nullptr); }

 private:
  HGLOBAL memory_;
};

// Locked for as long as it lives.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~LockedMemory() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;

  [[nodiscard]] void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

bool Win32Clipboard::PutText(std::string_view text) {
  const std::wstring wide = Wide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(bytes);
  if (memory.Get() == nullptr) return false;
  {
    const LockedMemory locked(memory.Get());
    if (locked.Data() == nullptr) return false;
    std::memcpy(locked.Data(), wide.c_str(), bytes);
  }
  const OpenedClipboard clipboard(owner_);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard's now
  return true;
}

}  // namespace zobl::win32
