#pragma once

#include <string>
#include <string_view>

namespace zobl::win32 {

// What stands at a path a file is to be written to.
enum class WriteTarget { Absent, File, Directory, Device };

// Follows links as a write would; a name the system keeps for a device (NUL, CON, COM1,
// "nul.csv" too) is a device whatever the folder.
[[nodiscard]] WriteTarget TargetAt(const std::wstring& name);

// Puts `content` in the place of the file `name` at once: `name` then holds either all of
// it or, when this fails, what it held before. The content is written and flushed to a
// file of this run's own beside `name` (a new name, created only if nothing has it: no
// link planted in the folder is followed and no file of anyone else's is touched), which
// then takes `name`'s place, or is deleted. A directory or a device at `name` fails.
[[nodiscard]] bool ReplaceWholeFile(const std::wstring& name, std::string_view content);

}  // namespace zobl::win32
