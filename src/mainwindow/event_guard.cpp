#include "mainwindow/event_guard.h"

#include <string>

#include "mainwindow/failure_text.h"

namespace zobl {

void ShowFailure(HWND owner, const char* message) {
  const std::string text = FailureBoxText(message);
  MessageBoxA(owner, text.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

}  // namespace zobl
