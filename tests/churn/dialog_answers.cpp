#include "dialog_answers.h"

#include <stdexcept>
#include <utility>

#include "mainwindow/failure_text.h"

namespace zobl::churn {
namespace {

DialogAnswers* g_answers = nullptr;

}  // namespace

DialogAnswers::DialogAnswers() {
  if (g_answers != nullptr) throw std::logic_error("one answerer at a time");
  hook_ = SetWindowsHookExA(WH_CBT, &DialogAnswers::OnCbt, nullptr, GetCurrentThreadId());
  if (hook_ == nullptr) throw std::runtime_error("cannot hook the dialogs");
  g_answers = this;
}

DialogAnswers::~DialogAnswers() {
  UnhookWindowsHookEx(hook_);
  g_answers = nullptr;
}

std::vector<std::string> DialogAnswers::TakeBoxTexts() { return std::exchange(boxTexts_, {}); }

LRESULT CALLBACK DialogAnswers::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_answers != nullptr) {
    const HWND dialog = reinterpret_cast<HWND>(wParam);
    char className[32] = {};
    GetClassNameA(dialog, className, sizeof className);
    if (std::string(className) == "#32770") {
      char caption[128] = {};
      GetWindowTextA(dialog, caption, sizeof caption);
      // The window's boxes bear its title; the print dialog is the system's.
      if (std::string(caption) == kApplicationTitle) {
        char text[1024] = {};
        GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
        g_answers->boxTexts_.emplace_back(text);
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(g_answers->boxAnswer_), 0);
      } else {
        ++g_answers->printDialogs_;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace zobl::churn
