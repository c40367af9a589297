#pragma once

#include <windows.h>

#include <functional>

#include "platform/message_pump.h"

namespace zobl::win32 {

// Handles the thread's messages with PeekMessageA or GetMessageA, TranslateMessage and
// DispatchMessageA. The main loop and every pump inside long work hand each message to
// the window's key handler first, so that the keyboard works the same during a run.
// The window is closing once WM_QUIT comes out of the queue; a pump posts it again so
// that the main loop still sees it.
class Win32MessagePump final : public MessagePump {
 public:
  // Sees every message before it is translated and dispatched; true when it was used.
  using KeyHandler = std::function<bool(MSG&)>;

  void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
  [[nodiscard]] bool Pump() override;
  // The thread's main loop, until WM_QUIT; returns the quit message's exit code.
  int Run();

 private:
  void Dispatch(MSG& message) const;

  KeyHandler keyHandler_;
};

}  // namespace zobl::win32
