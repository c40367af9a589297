#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zobl {

// Files that grow at their end, an addition that can be taken back.
class GrowingFiles {
 public:
  virtual ~GrowingFiles() = default;
  // Writes `text` at the end of the file, creating the file when it is missing, with
  // `firstText` in front when the file is empty. Returns the length the file had
  // before, or nothing when the text could not be written whole (the file is then as
  // it was, as far as the system lets it be).
  virtual std::optional<std::uint64_t> Append(const char* name, std::string_view firstText, std::string_view text) = 0;
  // Cuts the file back to `length` bytes; false when it cannot.
  virtual bool CutBack(const char* name, std::uint64_t length) = 0;
};

}  // namespace zobl
