#pragma once

namespace zobl {

struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;
};

// The date and time of the user's time zone, for texts the user reads.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  [[nodiscard]] virtual LocalDateTime Now() const = 0;
};

}  // namespace zobl
