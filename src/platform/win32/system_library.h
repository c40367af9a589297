#pragma once

#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {

// A DLL that Windows does not always take from its system directory (it is no known
// DLL), loaded from there alone, and only when first needed. Imported, it would be
// resolved before the program's first line runs, in the folder the program was started
// from first, where a planted copy (a Downloads folder) would run with the program's
// rights at every start.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* name);

  // The function of that name, or nullptr when the DLL or the function is not there.
  template <typename Function>
  [[nodiscard]] Function* Find(const char* function) const {
    if (!library_.IsValid()) return nullptr;
    // Through void(*)(): a function pointer cast from FARPROC is what the call returns.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(library_.Get(), function)));
  }

 private:
  ScopedLibrary library_;
};

// From now on, DLLs loaded by name (by the system's own DLLs too) come from the system
// directory only, never from the folder the program was started from. Called first
// thing: the imports are resolved before it, which is why the program imports none that
// could be taken from elsewhere.
void LoadLibrariesFromTheSystemOnly();

}  // namespace zobl::win32
