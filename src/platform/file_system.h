#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zobl {

// A file or directory entry as a search for its path reports it.
struct FoundEntry {
  std::string longName;        // the entry's long name, even when reached through a short one
  std::uint64_t creationTime;  // 100-nanosecond intervals since 1601-01-01, UTC
};

struct FullPath {
  std::string path;
  std::size_t lastComponent;  // offset of the last component in `path`
};

// The folders that hold many programs' files or the users' own, as the system names
// them (never by their English names): none of them is any one program's directory.
struct SharedFolderList {
  std::vector<std::string> folders;
  // Folders each of whose direct subfolders is shared too: the Users folder, whose every
  // profile, Public and Default are.
  std::vector<std::string> parents;
  // The current user's profile, which places the well-known folders inside it.
  std::string profile;
  // Folders shared in every profile (in each direct subfolder of a parent), named from
  // the profile: "AppData\Local", "Desktop", ... (see ResolveSharedFolders).
  std::vector<std::string> inEveryProfile;
};

// The file-system questions the command analysis asks. Every failure answers "no".
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The path's attributes can be read and carry the directory bit.
  [[nodiscard]] virtual bool IsExistingDirectory(const char* path) = 0;
  // A search for the path finds an entry that is no directory and whose last-write
  // time, in local time, is a valid DOS date and time (1980 to 2107).
  [[nodiscard]] virtual bool IsExistingFile(const char* path) = 0;
  [[nodiscard]] virtual std::optional<FoundEntry> FindEntry(const char* path) = 0;
  // The full form of the path, with a non-empty last component.
  [[nodiscard]] virtual std::optional<FullPath> GetFullPath(const char* path) = 0;
  // The system's Windows directory, or an empty text.
  [[nodiscard]] virtual std::string WindowsDirectory() = 0;
  // The Program Files and Common Files folders, ProgramData, the Users folder (and each
  // folder directly in it), the user's profile, AppData and its Local, LocalLow and
  // Roaming, the user's Programs and its Common, the Desktop, Documents, Downloads,
  // Pictures, Music, Videos, Saved Games, Favorites, Links, Contacts and Searches, the
  // temporary folder, each as the system spells it (not always in long form). Those the
  // system cannot name are left out.
  [[nodiscard]] virtual SharedFolderList SharedFolders() = 0;
  // The path of the directory as the file system reaches it, links, junctions, mount
  // points and substituted drives followed; nothing when that cannot be had.
  [[nodiscard]] virtual std::optional<std::string> FinalPath(const char* directory) = 0;
  // The text with each %name% of a variable of this process's environment replaced by
  // its value, whatever its length; nothing when the system cannot expand it. Setup
  // programs write paths this way ("%ProgramFiles%\\Acme").
  [[nodiscard]] virtual std::optional<std::string> ExpandEnvironment(const char* text) = 0;
};

}  // namespace zobl
