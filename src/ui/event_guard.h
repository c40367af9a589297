#pragma once

#include <exception>
#include <utility>

#include "platform/user_dialogs.h"

namespace zobl {

// Shows a failure the way every event handler's failures are shown: a modal error box
// titled with the application's title, the message ending in a full stop.
void ShowFailure(UserDialogs& dialogs, const char* message) noexcept;

// Runs one event: a failure ends it and is shown, and the program goes on with the next
// event. The window procedure runs every message through here, once; code the system
// calls outside it (a thread timer's callback, a hook) has a guard of its own.
template <typename Handler>
void RunEventHandler(UserDialogs& dialogs, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& failure) {
    ShowFailure(dialogs, failure.what());
  } catch (...) {
    ShowFailure(dialogs, "Unexpected failure");
  }
}

}  // namespace zobl
