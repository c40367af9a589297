#include "inventory/command_analysis.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "inventory/long_path.h"
#include "platform/capacities.h"
#include "platform/path_rules.h"

namespace zobl {
namespace {

constexpr std::string_view kPathMarker = ":\\";
// Characters that cannot occur inside a path, in the order they are tried.
constexpr std::string_view kPathEnders = "/*?\"<>|,";
constexpr char kDatePicture[] = "yyyy'.'MM'.'dd";

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

void Trim(std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl).base();
  text = first < last ? std::string(first, last) : std::string();
}

void DropLast(std::string& text) {
  text.pop_back();
  Trim(text);
}

// Whether the candidate lies in the Windows directory. The file system ignores letter
// case, so the directory is recognised in any spelling; and it is matched as a path,
// so that C:\Windows10Upgrade or C:\WindowsAzure, ordinary program directories, are not
// taken for it. A Windows directory that could not be had excludes nothing.
bool ContainsWindowsDirectory(std::string_view text, std::string_view directory, const Locale& locale) {
  return !directory.empty() && ContainsPathIgnoringCase(text, directory, locale);
}

// The rest of `path` after `folder` and a backslash, or nothing when it does not lie there.
std::optional<std::string_view> PathBelow(std::string_view path, std::string_view folder, const Locale& locale) {
  if (path.size() <= folder.size() + 1 || path[folder.size()] != '\\') return std::nullopt;
  if (!SamePathIgnoringCase(path.substr(0, folder.size()), folder, locale)) return std::nullopt;
  return path.substr(folder.size() + 1);
}

// A folder many programs share, such as Program Files, taken for one program's own would
// give that program every other's files. Folders inside one are ordinary directories,
// but for the Users folder's: each is a profile, and holds the well-known folders every
// profile has (another user's AppData\Local\Temp too).
bool IsSharedFolder(std::string_view directory, const SharedFolderList& shared, const Locale& locale) {
  const std::string_view trimmed =
      directory.size() > 3 && directory.ends_with('\\') ? directory.substr(0, directory.size() - 1) : directory;
  const auto same = [&](const std::string& folder) { return SamePathIgnoringCase(trimmed, folder, locale); };
  if (std::ranges::any_of(shared.folders, same)) return true;
  for (const std::string& parent : shared.parents) {
    const std::optional<std::string_view> inProfile = PathBelow(trimmed, parent, locale);
    if (!inProfile) continue;
    const std::size_t profileEnd = inProfile->find('\\');
    if (profileEnd == std::string_view::npos) return true;  // a profile, Public or Default
    const std::string_view rest = inProfile->substr(profileEnd + 1);
    for (const std::string& known : shared.inEveryProfile) {
      if (SamePathIgnoringCase(rest, known, locale)) return true;
    }
  }
  return false;
}

// Whether a directory found for a row holds other programs or users, as the Windows
// directory and the shared folders do: by its long form and, where it can be had, by where
// the file system leads it (a link or junction to the Users folder is the Users folder).
bool IsNoProgramsOwn(const std::string& directory,
                     std::string_view windowsDirectory,
                     FileSystem& fileSystem,
                     const Locale& locale,
                     const SharedFolderList& shared) {
  if (ContainsWindowsDirectory(directory, windowsDirectory, locale) || IsSharedFolder(directory, shared, locale)) {
    return true;
  }
  const std::optional<std::string> final = fileSystem.FinalPath(directory.c_str());
  return final && (ContainsWindowsDirectory(*final, windowsDirectory, locale) || IsSharedFolder(*final, shared, locale));
}

// The path that starts one character before `marker` (at the drive letter), cut where
// a further path or a character that cannot be part of a path begins.
std::string CutCandidate(const std::string& work, std::size_t marker) {
  std::string candidate = work.substr(marker - 1, kPathCapacity);
  std::size_t cut = std::string::npos;
  const std::size_t furtherPath = candidate.find(':', 2);
  if (furtherPath != std::string::npos) cut = furtherPath - 1;  // its drive letter
  for (const char ender : kPathEnders) {
    cut = std::min(cut, candidate.find(ender));
  }
  if (cut != std::string::npos) candidate.resize(cut);
  Trim(candidate);
  return candidate;
}

// Uninstallers of one old setup family take these switches behind their own path.
void DropSwitchSuffix(std::string& candidate, const Locale& locale) {
  if (candidate.size() <= 3) return;
  if (EndsWithIgnoringCase(candidate, " -C", locale) || EndsWithIgnoringCase(candidate, " -F", locale)) {
    candidate.resize(candidate.size() - 3);
  }
}

// Walks back from the end of the candidate, dropping argument characters until an
// existing directory or file is named; never walks past a backslash. A file gives
// way to its directory. Returns whether the candidate now names a directory.
bool WalkBackToDirectory(std::string& candidate, FileSystem& fileSystem) {
  // Every text the walk tries lies in the directory before the last backslash; when
  // that directory does not exist, none of them can, and one question answers them
  // all (a program that has gone costs two questions per character otherwise).
  const std::size_t lastBackslash = candidate.rfind('\\');
  if (lastBackslash != std::string::npos && lastBackslash + 1 < candidate.size() &&
      !fileSystem.IsExistingDirectory(candidate.substr(0, lastBackslash + 1).c_str())) {
    candidate.resize(lastBackslash + 1);
    return false;
  }
  bool isFile = false;
  while (!candidate.empty()) {
    if (candidate.back() == '\\') return false;
    if (fileSystem.IsExistingDirectory(candidate.c_str())) return true;
    if (fileSystem.IsExistingFile(candidate.c_str())) {
      isFile = true;
      break;
    }
    DropLast(candidate);
  }
  if (!isFile) return false;
  while (!candidate.empty() && candidate.back() != '\\') DropLast(candidate);
  if (!candidate.empty()) DropLast(candidate);
  return fileSystem.IsExistingDirectory(candidate.c_str());
}

// A chosen directory's creation date (UTC), when it can be had: from the search that
// resolved its long form, or else searched for.
std::optional<std::string> CreationDate(const std::string& directory,
                                        std::optional<std::uint64_t> creationTime,
                                        FileSystem& fileSystem,
                                        const Locale& locale) {
  if (!creationTime) {
    const auto entry = fileSystem.FindEntry(directory.c_str());
    if (!entry) return std::nullopt;
    creationTime = entry->creationTime;
  }
  return locale.FormatUtcDate(*creationTime, kDatePicture);
}

}  // namespace

void ResolveSharedFolders(SharedFolderList& shared, FileSystem& fileSystem, const Locale& locale) {
  const auto resolve = [&fileSystem](std::string& folder) {
    if (folder.size() > 3 && folder.ends_with('\\')) folder.pop_back();
    ResolveLongPath(folder, kPathCapacity, fileSystem);
  };
  if (!shared.profile.empty()) resolve(shared.profile);
  for (std::vector<std::string>* list : {&shared.folders, &shared.parents}) {
    std::ranges::for_each(*list, resolve);
    // Where a folder lies for the file system too: a candidate is compared by both.
    const std::size_t named = list->size();
    for (std::size_t i = 0; i < named; ++i) {
      std::optional<std::string> final = fileSystem.FinalPath((*list)[i].c_str());
      if (final && !SamePathIgnoringCase(*final, (*list)[i], locale)) list->push_back(std::move(*final));
    }
  }
  // The current user's well-known folders, named from the profile, are every profile's.
  if (shared.profile.empty()) return;
  for (const std::string& folder : shared.folders) {
    if (const std::optional<std::string_view> rest = PathBelow(folder, shared.profile, locale)) {
      shared.inEveryProfile.emplace_back(*rest);
    }
  }
}

CommandAnalysis AnalyseCommand(std::string_view command,
                               std::string_view windowsDirectory,
                               FileSystem& fileSystem,
                               const Locale& locale,
                               const SharedFolderList& sharedFolders,
                               KnownLongPaths* knownParents) {
  CommandAnalysis analysis;
  struct Found {
    std::string directory;
    std::optional<std::uint64_t> creationTime;
  };
  std::vector<Found> found;
  std::string work(command);

  // Each ":\" is taken once, left to right; one at the very start ends the search.
  for (std::size_t marker = work.find(kPathMarker); marker != std::string::npos && marker != 0;
       marker = work.find(kPathMarker)) {
    std::string candidate = CutCandidate(work, marker);
    DropSwitchSuffix(candidate, locale);
    if (ContainsWindowsDirectory(candidate, windowsDirectory, locale)) candidate.clear();
    Trim(candidate);

    const bool isDirectory = !candidate.empty() && WalkBackToDirectory(candidate, fileSystem);
    // Judged in long form: C:\PROGRA~1 is Program Files.
    std::optional<std::uint64_t> creationTime;
    if (isDirectory) ResolveLongPath(candidate, kPathCapacity, fileSystem, knownParents, &creationTime);
    // Walking back from C:\WINDOWSx (no path of the Windows directory) can end at the
    // Windows directory itself, which is never a program's own.
    if (isDirectory && IsNoProgramsOwn(candidate, windowsDirectory, fileSystem, locale, sharedFolders)) {
      candidate.clear();
    }
    if (candidate.size() > 3) {  // a bare drive root is neither chosen nor dead
      if (isDirectory) {
        found.push_back({std::move(candidate), creationTime});
        analysis.directoryFound = true;
      } else {
        analysis.deadPath = true;
      }
    }
    work[marker] = ' ';
  }

  if (!analysis.directoryFound) return analysis;
  // Shortest wins; among equals the first written.
  Found& chosen = *std::min_element(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.directory.size() < b.directory.size();
  });
  analysis.date = CreationDate(chosen.directory, chosen.creationTime, fileSystem, locale);
  analysis.chosenDirectory = std::move(chosen.directory);
  return analysis;
}

CommandAnalysis AnalyseInstallLocation(std::string_view location,
                                       std::string_view windowsDirectory,
                                       FileSystem& fileSystem,
                                       const Locale& locale,
                                       const SharedFolderList& sharedFolders,
                                       KnownLongPaths* knownParents) {
  CommandAnalysis analysis;
  std::string directory(location);
  Trim(directory);
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  if (!IsBelowDriveRoot(directory)) return analysis;  // relative, or a bare drive root
  if (ContainsWindowsDirectory(directory, windowsDirectory, locale)) return analysis;
  if (!fileSystem.IsExistingDirectory(directory.c_str())) return analysis;
  std::optional<std::uint64_t> creationTime;
  ResolveLongPath(directory, kPathCapacity, fileSystem, knownParents, &creationTime);
  if (IsNoProgramsOwn(directory, windowsDirectory, fileSystem, locale, sharedFolders)) return analysis;
  analysis.directoryFound = true;
  analysis.date = CreationDate(directory, creationTime, fileSystem, locale);
  analysis.chosenDirectory = std::move(directory);
  return analysis;
}

}  // namespace zobl
