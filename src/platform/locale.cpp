#include "platform/locale.h"

#include "platform/path_rules.h"

namespace zobl {

std::string Locale::UpperCase(std::string_view text) const {
  std::string upper;
  AssignUpperCase(upper, text);
  return upper;
}

// ASCII letters fold alike in every script, so only other texts need the locale.
void Locale::AssignUpperCase(std::string& out, std::string_view text) const {
  if (IsAscii(text)) {
    AssignUpperAscii(out, text);
  } else {
    out = LocaleUpperCase(text);
  }
}

}  // namespace zobl
