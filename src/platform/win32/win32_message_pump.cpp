#include "platform/win32/win32_message_pump.h"

namespace zobl::win32 {

void Win32MessagePump::Dispatch(MSG& message) const {
  if (keyHandler_ && keyHandler_(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

bool Win32MessagePump::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(message);
  }
  return true;
}

int Win32MessagePump::Run() {
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) Dispatch(message);
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace zobl::win32
