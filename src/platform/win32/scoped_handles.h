#pragma once

#include <windows.h>

#include <string_view>
#include <utility>

namespace zobl::win32 {

// One owner per handle kind: closed exactly once, movable, never copied.
template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  [[nodiscard]] bool IsValid() const { return handle_ != Traits::Invalid(); }
  [[nodiscard]] Handle Get() const { return handle_; }
  // For calls that hand a new handle out through a pointer.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  void Reset() {
    if (IsValid()) Traits::Close(std::exchange(handle_, Traits::Invalid()));
  }
  // Hands the handle to a new owner (the clipboard takes its memory, say).
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle key) { RegCloseKey(key); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle find) { FindClose(find); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle file) { CloseHandle(file); }
};

// Events, processes and threads: null when there is none.
struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle object) { CloseHandle(object); }
};

struct HookTraits {
  using Handle = HHOOK;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle hook) { UnhookWindowsHookEx(hook); }
};

// Movable global memory: the print dialog's settings, the clipboard's data.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle memory) { GlobalFree(memory); }
};

// A menu that no window owns (a context menu): the window would destroy its own menus.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle menu) { DestroyMenu(menu); }
};

// Memory the system allocated for the caller to free with LocalFree (the command line's
// arguments, a system message's text), held as the pointer type it was handed out as.
template <typename Pointer>
struct LocalMemoryTraits {
  using Handle = Pointer;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle memory) { LocalFree(memory); }
};

// A DLL the program loaded itself.
struct LibraryTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle library) { FreeLibrary(library); }
};

// A COM object's reference, released once.
template <typename Interface>
struct ComReferenceTraits {
  using Handle = Interface*;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle object) { object->Release(); }
};

template <typename Interface>
using ScopedComReference = ScopedHandle<ComReferenceTraits<Interface>>;
using ScopedKey = ScopedHandle<RegistryKeyTraits>;
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;
using ScopedKernelHandle = ScopedHandle<KernelObjectTraits>;
using ScopedHook = ScopedHandle<HookTraits>;
using ScopedGlobal = ScopedHandle<GlobalMemoryTraits>;
using ScopedLibrary = ScopedHandle<LibraryTraits>;
using ScopedMenu = ScopedHandle<MenuTraits>;

// A movable global block locked for the scope; Get() is null for no block.
template <typename T>
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(memory != nullptr ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  ~LockedGlobal() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  [[nodiscard]] T* Get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// Writes all of `text`, however many calls the file takes for it.
inline bool WriteWhole(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}

}  // namespace zobl::win32
