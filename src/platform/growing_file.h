#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zobl {

// Why a file was not read or written.
enum class FileRefusal : std::uint8_t {
  None,
  Unwritable,    // it could not be opened, read or written
  Link,          // the name is a link to a file elsewhere (symbolic link, junction, ...)
  SeveralNames,  // the file has other names too (hard links)
  OtherContent,  // it does not begin as the caller requires
};

// Files that grow at their end, an addition that can be taken back; and what it takes to
// bring such a file from an earlier form to the present one. Each call opens the file
// without following a link and acts only through the handle it checked: a name that is a
// link, or a file that has other names as well, is refused, so that nothing is ever
// written to a file that a link planted at that name points to.
class GrowingFiles {
 public:
  virtual ~GrowingFiles() = default;
  // Writes `text` at the end of the file, creating the file when it is missing, with
  // `firstText` in front when the file is empty; a file that is not empty must begin
  // with `requiredStart`. Returns the length the file had before, or nothing when the
  // text could not be written whole (the file is then as it was, as far as the system
  // lets it be).
  virtual std::optional<std::uint64_t> Append(const char* name,
                                              std::string_view requiredStart,
                                              std::string_view firstText,
                                              std::string_view text) = 0;
  // Cuts the file back to `length` bytes; false when it cannot.
  virtual bool CutBack(const char* name, std::uint64_t length) = 0;
  // At most `limit` bytes from the file's start; empty when there is no such file,
  // nothing when it cannot be read.
  virtual std::optional<std::string> Read(const char* name, std::size_t limit) = 0;
  // Puts `content` in the file's place at once: the file then holds either all of it
  // or, when this fails, what it held before.
  virtual bool Replace(const char* name, std::string_view content) = 0;
  // Why the last call above that failed did.
  [[nodiscard]] virtual FileRefusal LastRefusal() const = 0;
  // 8-bit text of the system's code page (the ANSI one, not the process's), as files of
  // earlier versions hold it, in UTF-16; nothing when some bytes have no character there.
  [[nodiscard]] virtual std::optional<std::u16string> FromSystemCodePage(std::string_view text) const = 0;
};

}  // namespace zobl
