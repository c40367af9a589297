#include "platform/win32/win32_user_dialogs.h"

namespace zobl::win32 {

BoxAnswer Win32UserDialogs::Show(const std::string& text, BoxIcon icon) {
  UINT style = MB_OK;
  switch (icon) {
    case BoxIcon::Information: style = MB_OK | MB_ICONINFORMATION; break;
    case BoxIcon::Warning: style = MB_OK | MB_ICONWARNING; break;
    case BoxIcon::Question: style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1; break;
    case BoxIcon::WarningQuestion: style = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2; break;
    case BoxIcon::Error: style = MB_OK | MB_ICONERROR; break;
  }
  switch (MessageBoxA(owner_, text.c_str(), title_, style)) {
    case IDYES: return BoxAnswer::Yes;
    case IDNO: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
  }
}

}  // namespace zobl::win32
