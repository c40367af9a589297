#pragma once

namespace zobl {

// Whether the user has asked the system for high contrast: texts then stand on the
// system's plain colours, with no picture behind them.
class DisplayContrast {
 public:
  virtual ~DisplayContrast() = default;

  [[nodiscard]] virtual bool HighContrastOn() = 0;
};

}  // namespace zobl
