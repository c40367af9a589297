#pragma once

#include <windows.h>

#include <vector>

#include "platform/dpi.h"

namespace zobl::win32 {

// The resolution one top-level window is laid out at. The window owns it; its controls,
// fonts, pictures and painters read it from here, and those holding anything made for
// the resolution (fonts, pictures, widths) follow its changes.
class WindowScale {
 public:
  // A part holding what was made for the scale's resolution; it follows the scale for
  // as long as it lives.
  class Follower {
   public:
    Follower(const Follower&) = delete;
    Follower& operator=(const Follower&) = delete;
    // The scale went from `previousDpi` to its Dpi().
    virtual void DpiChanged(int previousDpi) = 0;

   protected:
    explicit Follower(const WindowScale& scale);
    ~Follower();

    const WindowScale& scale_;
  };

  explicit WindowScale(int dpi = kDesignDpi) : dpi_(dpi) {}
  WindowScale(const WindowScale&) = delete;
  WindowScale& operator=(const WindowScale&) = delete;

  [[nodiscard]] int Dpi() const { return dpi_; }
  // Design pixels, at kDesignDpi, to the window's.
  [[nodiscard]] int Pixels(int designPixels) const { return ScaleToDpi(designPixels, dpi_); }
  // Takes `dpi`; the followers hear of it, in the order they came, when it differs.
  void Set(int dpi);
  // The window moved to a screen of another resolution (WM_DPICHANGED). The message's
  // numbers are checked before they are used: a dpi outside what screens have is ignored
  // (false); the rectangle the system suggests is taken only when it lies on a monitor
  // and leaves the window at least its smallest size, else the window keeps its own.
  // The window lays itself out again after a true.
  bool FollowScreen(HWND window, int dpi, const RECT& suggested);

 private:
  int dpi_;
  mutable std::vector<Follower*> followers_;
};

}  // namespace zobl::win32
