#pragma once

#include <string>

namespace zobl {

enum class BoxIcon { Information, Warning, Question, Error };
enum class BoxAnswer { Ok, Yes, No };

// Modal message boxes owned by the application and titled with its name. A question
// offers Yes (the default) and No; every other box has one OK button.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  virtual BoxAnswer Show(const std::string& text, BoxIcon icon) = 0;
};

}  // namespace zobl
