#include "ui/command_to_start.h"

#include <optional>

#include "platform/path_rules.h"

namespace zobl {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EndsWithExe(const std::string& text, std::size_t end) {
  return EndsWithIgnoringAsciiCase(std::string_view(text).substr(0, end), ".exe");
}

}  // namespace

std::string CommandToStart(const std::string& command, FileSystem& fileSystem) {
  std::size_t start = 0;
  while (start < command.size() && IsBlank(command[start])) ++start;
  const bool driveAbsolute = StartsWithDriveRoot(std::string_view(command).substr(start));
  const bool unc = command.compare(start, 2, "\\\\") == 0;
  if (!driveAbsolute && !unc) return command;  // quoted, relative or a bare program name

  // Leading parts that end in ".exe" where a blank or the line's end follows.
  std::optional<std::size_t> longest;
  std::optional<std::size_t> longestExisting;
  for (std::size_t end = start + 4; end <= command.size(); ++end) {
    if (end < command.size() && !IsBlank(command[end])) continue;
    if (!EndsWithExe(command, end)) continue;
    longest = end;
    if (fileSystem.IsExistingFile(command.substr(start, end - start).c_str())) longestExisting = end;
  }
  const std::optional<std::size_t> end = longestExisting ? longestExisting : longest;
  if (!end) return command;
  const std::string program = command.substr(start, *end - start);
  if (program.find_first_of(" \t") == std::string::npos) return command;  // nothing to mistake
  return '"' + program + '"' + command.substr(*end);
}

}  // namespace zobl
