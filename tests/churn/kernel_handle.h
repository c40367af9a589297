#pragma once

#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace zobl::churn {

// Events, processes, threads and pipes: handles that are null when absent.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedKernelHandle = win32::ScopedHandle<KernelHandleTraits>;

}  // namespace zobl::churn
