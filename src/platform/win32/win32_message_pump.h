#pragma once

#include "platform/message_pump.h"

namespace zobl::win32 {

// Handles the thread's waiting messages with PeekMessageA, TranslateMessage and
// DispatchMessageA. The window is closing once WM_QUIT comes out of the queue; the
// message is posted again so that the main loop still sees it.
class Win32MessagePump final : public MessagePump {
 public:
  [[nodiscard]] bool Pump() override;
};

}  // namespace zobl::win32
