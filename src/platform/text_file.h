#pragma once

#include <optional>
#include <string>

namespace zobl {

class TextFileReader {
 public:
  virtual ~TextFileReader() = default;
  // The whole file as 8-bit text, opened for reading while others may read it too;
  // nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadWholeFile(const char* name) = 0;
};

}  // namespace zobl
