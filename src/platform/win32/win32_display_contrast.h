#pragma once

#include <windows.h>

#include "platform/display_contrast.h"

namespace zobl::win32 {

// The system's accessibility setting, read afresh at each question: the user switches it
// while the program runs.
class Win32DisplayContrast final : public DisplayContrast {
 public:
  [[nodiscard]] bool HighContrastOn() override {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != 0 &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  }
};

}  // namespace zobl::win32
