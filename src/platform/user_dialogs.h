#pragma once

#include <string>

namespace zobl {

// A Question offers Yes (the default) and No; a WarningQuestion asks about a risk, with
// the warning's icon and No the default, so that Enter declines.
enum class BoxIcon { Information, Warning, Question, WarningQuestion, Error };
enum class BoxAnswer { Ok, Yes, No };

// Modal message boxes owned by the application and titled with its name. Boxes that
// ask nothing have one OK button.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  virtual BoxAnswer Show(const std::string& text, BoxIcon icon) = 0;
};

}  // namespace zobl
