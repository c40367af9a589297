#pragma once

#include <cstdint>

namespace zobl {

// Milliseconds since the system started, 32 bits wide: the count wraps after about
// 49.7 days, so only unsigned differences of two readings mean anything.
class TickSource {
 public:
  virtual ~TickSource() = default;
  [[nodiscard]] virtual std::uint32_t Milliseconds() = 0;
};

}  // namespace zobl
