#include "ui/failure_text.h"

namespace zobl {

std::string FailureBoxText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    message += '.';
  }
  return message;
}

}  // namespace zobl
