#pragma once

#include <windows.h>

#include <exception>
#include <utility>

namespace zobl {

// Shows a failure the way every event handler's failures are shown: a modal error box
// titled with the application's title, the message ending in a full stop.
void ShowFailure(HWND owner, const char* message);

// Runs one event handler. A failure ends the handler and is shown; the program goes on
// with the next event. Every handler of the window is run through here.
template <typename Handler>
void RunEventHandler(HWND owner, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& failure) {
    ShowFailure(owner, failure.what());
  } catch (...) {
    ShowFailure(owner, "Unexpected failure");
  }
}

}  // namespace zobl
