#pragma once

#include <windows.h>

#include "platform/local_clock.h"

namespace zobl::win32 {

class Win32LocalClock final : public LocalClock {
 public:
  [[nodiscard]] LocalDateTime Now() const override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }
};

}  // namespace zobl::win32
