#pragma once

#include <windows.h>

#include "platform/tick_source.h"

namespace zobl::win32 {

class Win32TickSource final : public TickSource {
 public:
  [[nodiscard]] std::uint32_t Milliseconds() override { return GetTickCount(); }
};

}  // namespace zobl::win32
