#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zobl::churn {

// Answers every dialog of this thread as soon as it shows: the print dialog with OK,
// the window's message boxes with the answer set for them. A box nobody expected is
// answered too (No, or OK), so the run never hangs on one, and is kept for the report.
class DialogAnswers {
 public:
  DialogAnswers();
  ~DialogAnswers();
  DialogAnswers(const DialogAnswers&) = delete;
  DialogAnswers& operator=(const DialogAnswers&) = delete;

  void AnswerBoxesWith(int answer) { boxAnswer_ = answer; }
  // The texts of the message boxes shown since the last call.
  std::vector<std::string> TakeBoxTexts();
  [[nodiscard]] int PrintDialogs() const { return printDialogs_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);

  HHOOK hook_;
  int boxAnswer_ = IDNO;
  int printDialogs_ = 0;
  std::vector<std::string> boxTexts_;
};

}  // namespace zobl::churn
