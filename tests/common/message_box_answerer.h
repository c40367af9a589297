#pragma once

// Windows only: the answerer of the window tests, the print check and the churn.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/scoped_handles.h"

namespace zobl::testing {

// A message box or dialog seen on this thread, as the user would see it.
struct SeenBox {
  std::string caption;
  std::string text;  // a message box's text
  HICON icon;        // the picture beside the text, or nullptr
};

// Answers every dialog box of this thread (the window's message boxes and the system's
// dialogs alike) with the answer set for it, as soon as the box is up, and records what
// each showed. `beforeAnswer`, when given, runs first from inside the box's own message
// loop, with the box shown: what a timer or a paint would do while the user reads the
// box, or what the user does with its controls before closing it.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int answer = IDOK, std::function<void(HWND box)> beforeAnswer = {})
      : answer_(answer), beforeAnswer_(std::move(beforeAnswer)) {
    if (current_ != nullptr) throw std::logic_error("one answerer at a time");
    hook_ = win32::ScopedHook(SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::OnCbt, nullptr, GetCurrentThreadId()));
    if (!hook_.IsValid()) throw std::runtime_error("cannot hook this thread's dialog boxes");
    current_ = this;
  }
  ~MessageBoxAnswerer() { current_ = nullptr; }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // The answer for the boxes shown from now on.
  void AnswerWith(int answer) { answer_ = answer; }
  [[nodiscard]] const std::vector<SeenBox>& Seen() const { return seen_; }
  // The boxes seen since the last call.
  std::vector<SeenBox> TakeSeen() { return std::exchange(seen_, {}); }

 private:
  // Apart from any timer the box sets itself.
  static constexpr UINT_PTR kOpenTimer = 0x5A0B;

  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      const HWND box = reinterpret_cast<HWND>(wParam);
      char className[32] = {};
      GetClassNameA(box, className, sizeof className);
      if (std::string(className) == "#32770") {
        char caption[512] = {};
        GetWindowTextA(box, caption, sizeof caption);
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        current_->seen_.push_back({caption, text, IconOf(box)});
        if (!current_->beforeAnswer_) {
          PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(current_->answer_), 0);
        } else {
          // The box's loop is running once the timer's first tick arrives.
          SetTimer(box, kOpenTimer, USER_TIMER_MINIMUM, &MessageBoxAnswerer::OnOpen);
        }
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static void CALLBACK OnOpen(HWND box, UINT, UINT_PTR id, DWORD) {
    KillTimer(box, id);
    if (current_ == nullptr) return;
    UpdateWindow(box);
    current_->beforeAnswer_(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(current_->answer_), 0);
  }

  // A box shows its icon in a static control of the icon style.
  static HICON IconOf(HWND box) {
    HICON icon = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
          if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
          *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&icon));
    return icon;
  }

  static inline MessageBoxAnswerer* current_ = nullptr;

  win32::ScopedHook hook_;
  int answer_;
  std::function<void(HWND)> beforeAnswer_;
  std::vector<SeenBox> seen_;
};

}  // namespace zobl::testing
