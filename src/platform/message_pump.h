#pragma once

namespace zobl {

// Long work on the window's thread calls this between its steps so that input, paints
// and timers keep being handled: every waiting message is handled, then it returns.
class MessagePump {
 public:
  virtual ~MessagePump() = default;

  // False once the window is closing: the caller stops at once and touches no window.
  [[nodiscard]] virtual bool Pump() = 0;
};

}  // namespace zobl
