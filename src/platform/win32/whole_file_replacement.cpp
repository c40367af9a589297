#include "platform/win32/whole_file_replacement.h"

#include <windows.h>

#include <cwchar>

#include "platform/path_rules.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

// The folder part of a file's name, its last separator included; empty for a bare name.
std::wstring FolderPart(const std::wstring& name) {
  const std::size_t cut = name.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : name.substr(0, cut + 1);
}

// The file this run writes before it takes the target's place. Only this run's handle
// refers to it; a failure deletes it through that handle, never by its name, which
// another process could have given to something else by then.
class PendingFile {
 public:
  // Tries new names until one is free: CREATE_NEW never opens what is already there.
  explicit PendingFile(const std::wstring& target) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    auto seed = static_cast<unsigned>(counter.QuadPart) ^ (GetCurrentProcessId() * 2654435761u);
    for (int attempt = 0; attempt < 64 && !file_.IsValid(); ++attempt) {
      seed = seed * 1103515245u + 12345u;
      // A short name of fixed length beside the target, so that any name the folder
      // takes for the target can be written: the target's own plus a suffix could pass
      // the 255 characters a name may have.
      wchar_t own[24];
      std::swprintf(own, std::size(own), L"~zobl.%08x.tmp", seed);
      name_ = FolderPart(target) + own;
      // Shared for deletion only, so that the rename over the target can go through it.
      file_ = ScopedFileHandle(CreateFileW(name_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      const DWORD error = file_.IsValid() ? ERROR_SUCCESS : GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
  }
  ~PendingFile() {
    if (!file_.IsValid() || placed_) return;
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &disposition, sizeof disposition);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  [[nodiscard]] bool Write(std::string_view content) const {
    return file_.IsValid() && WriteWhole(file_.Get(), content) && FlushFileBuffers(file_.Get());
  }
  [[nodiscard]] bool TakePlaceOf(const std::wstring& target) {
    placed_ = MoveFileExW(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    return placed_;
  }

 private:
  std::wstring name_;
  ScopedFileHandle file_;
  bool placed_ = false;
};

// What stands at a path a file is to be written to.
enum class WriteTarget { Absent, File, Directory, Device };

WriteTarget TargetAt(const std::wstring& name) {
  if (NamesDevice(Utf8FromWide(name))) return WriteTarget::Device;
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const ScopedFileHandle opened(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened.IsValid()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? WriteTarget::Absent : WriteTarget::File;
  }
  if (GetFileType(opened.Get()) != FILE_TYPE_DISK) return WriteTarget::Device;
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(opened.Get(), &information) &&
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return WriteTarget::Directory;
  }
  return WriteTarget::File;
}

}  // namespace

FileReplacement ReplaceWholeFile(const std::wstring& name, std::string_view content) {
  switch (TargetAt(name)) {
    case WriteTarget::Directory: return FileReplacement::Directory;
    case WriteTarget::Device: return FileReplacement::Device;
    case WriteTarget::Absent:
    case WriteTarget::File: break;
  }
  PendingFile pending(name);
  return pending.Write(content) && pending.TakePlaceOf(name) ? FileReplacement::Replaced : FileReplacement::Failed;
}

}  // namespace zobl::win32
