#include "ui/command_to_start.h"

#include "platform/path_rules.h"

namespace zobl {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
// Where an unquoted program path may end: CreateProcess's own reading stops at blanks;
// installers also write switches straight after the name ("Uninstall.exe/S") and icon
// indexes after a comma ("Uninstall.exe,1").
bool EndsProgramPath(char c) { return IsBlank(c) || c == '/' || c == ','; }

bool HasExtension(std::string_view path) {
  const std::size_t lastSeparator = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  return dot != std::string_view::npos && (lastSeparator == std::string_view::npos || dot > lastSeparator);
}

// The program file a path names, ".exe" added as the system adds it to a name without
// an extension; nothing when there is no such file.
std::optional<std::string> ExistingProgram(std::string path, FileSystem& fileSystem) {
  if (!HasExtension(path)) path += ".exe";
  if (!fileSystem.IsExistingFile(path.c_str())) return std::nullopt;
  return path;
}

// Whether the part of `command` from `start` that ends at `end` is cut inside a folder's
// name: the text up to the next separator after it names an existing folder
// ("C:\Program" in "C:\Program Files\..."). Anyone who could write the shorter program
// could as well write the longer one, so only an existing folder tells.
bool IsCutInsideFolder(const std::string& command, std::size_t start, std::size_t end, FileSystem& fileSystem) {
  const std::size_t next = command.find_first_of("\\/", end);
  if (next == std::string::npos) return false;
  const std::string_view between = std::string_view(command).substr(end, next - end);
  if (next != end && between.find_first_not_of(" \t,") == std::string_view::npos) return false;
  return fileSystem.IsExistingDirectory(command.substr(start, next - start).c_str());
}

std::optional<ProgramStart> QuotedProgram(const std::string& command, std::size_t start, FileSystem& fileSystem) {
  const std::size_t close = command.find('"', start + 1);
  const std::size_t end = close == std::string::npos ? command.size() : close;
  std::string program = command.substr(start + 1, end - start - 1);
  std::string arguments = close == std::string::npos ? std::string() : command.substr(close + 1);
  if (!StartsWithDriveRoot(program) && !program.starts_with("\\\\")) {
    return ProgramStart{std::move(program), true, std::move(arguments)};
  }
  std::optional<std::string> existing = ExistingProgram(std::move(program), fileSystem);
  if (!existing) return std::nullopt;
  return ProgramStart{std::move(*existing), false, std::move(arguments)};
}

}  // namespace

std::optional<ProgramStart> ProgramToStart(const std::string& command, FileSystem& fileSystem) {
  std::size_t start = 0;
  while (start < command.size() && IsBlank(command[start])) ++start;
  if (start == command.size()) return std::nullopt;
  if (command[start] == '"') return QuotedProgram(command, start, fileSystem);
  const std::string_view rest = std::string_view(command).substr(start);
  if (!StartsWithDriveRoot(rest) && !rest.starts_with("\\\\")) {
    // A name the system looks up ("MsiExec.exe /X{...}"): the first word.
    std::size_t end = start;
    while (end < command.size() && !IsBlank(command[end])) ++end;
    return ProgramStart{command.substr(start, end - start), true, command.substr(end)};
  }
  for (std::size_t end = command.size(); end > start + 3; --end) {
    if (end < command.size() && !EndsProgramPath(command[end])) continue;
    if (IsSeparator(command[end - 1])) continue;
    std::optional<std::string> program = ExistingProgram(command.substr(start, end - start), fileSystem);
    if (!program || IsCutInsideFolder(command, start, end, fileSystem)) continue;
    return ProgramStart{std::move(*program), false, command.substr(end)};
  }
  return std::nullopt;
}

bool OrdinaryProgramsCanChange(RegistrySource source, const ProgramStart& start, FileSystem& fileSystem) {
  if (source == RegistrySource::User) return true;
  if (start.lookedUpBySystem) return false;
  // Inside a profile: below a folder directly in the Users folder. The program's folder
  // is also taken as the file system reaches it, so a link or short name cannot hide it.
  const std::string folder = start.program.substr(0, start.program.find_last_of("\\/"));
  const std::optional<std::string> finalFolder = fileSystem.FinalPath(folder.c_str());
  for (const std::string& users : fileSystem.SharedFolders().parents) {
    for (const std::string* path : {&folder, finalFolder ? &*finalFolder : nullptr}) {
      if (path == nullptr) continue;
      std::string_view inner(*path);
      if (inner.size() <= users.size() + 1 || !IsSameOrAboveIgnoringAsciiCase(users, inner)) continue;
      if (inner[users.size()] == '\\' || users.ends_with('\\')) return true;
    }
  }
  return false;
}

}  // namespace zobl
