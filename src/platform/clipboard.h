#pragma once

#include <string_view>

namespace zobl {

// The system's clipboard, which other programs paste from.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Puts `text` (UTF-8) on the clipboard in place of what it held; false when another
  // program keeps the clipboard or memory runs out.
  virtual bool PutText(std::string_view text) = 0;
};

}  // namespace zobl
