#pragma once

#include <string>
#include <string_view>

namespace zobl::win32 {

// How a replacement went: a folder or a device at the name (NUL, CON, COM1, "nul.csv"
// too, whatever the folder; links followed as a write would) is never written to.
enum class FileReplacement { Replaced, Directory, Device, Failed };

// Puts `content` in the place of the file `name` at once: `name` then holds either all of
// it or, when this fails, what it held before. The content is written and flushed to a
// file of this run's own beside `name` (a new name, "~zobl.xxxxxxxx.tmp", created only if nothing has it: no
// link planted in the folder is followed and no file of anyone else's is touched), which
// then takes `name`'s place, or is deleted.
[[nodiscard]] FileReplacement ReplaceWholeFile(const std::wstring& name, std::string_view content);

}  // namespace zobl::win32
