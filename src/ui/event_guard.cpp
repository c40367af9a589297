#include "ui/event_guard.h"

#include "ui/failure_text.h"

namespace zobl {

void ShowFailure(UserDialogs& dialogs, const char* message) noexcept {
  try {
    dialogs.Show(FailureBoxText(message), BoxIcon::Error);
  } catch (...) {
    // Nothing is left to tell the user with; the program goes on.
  }
}

}  // namespace zobl
