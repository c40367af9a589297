#include "scratch_directory.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::testing {

using win32::ScopedFileHandle;
using win32::ScopedFindHandle;

namespace {

std::runtime_error Failure(const std::string& what, const std::string& path) {
  return std::runtime_error(what + " failed (" + std::to_string(GetLastError()) + "): " + path);
}

// Scratch trees may be deeper than MAX_PATH and hold names the ordinary path rules would
// alter ("...", a trailing dot): they are made and removed through extended-length paths.
std::wstring Extended(const std::string& path) {
  const std::wstring wide = win32::Wide(path);
  return path.size() > 2 && path[1] == ':' ? L"\\\\?\\" + wide : wide;
}

}  // namespace

ScratchDirectory::ScratchDirectory(const std::string& purpose) {
  static std::atomic<int> counter{0};
  path_ = "C:\\zobl-" + purpose + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  RemoveTree(path_);
  CreateDirectoryOrThrow(path_);
}

ScratchDirectory::~ScratchDirectory() { RemoveTree(path_); }

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  previous_ = current;
  if (!SetCurrentDirectoryA(path.c_str())) throw Failure("SetCurrentDirectoryA", path);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }

PlantedPaths::~PlantedPaths() {
  for (auto path = paths_.rbegin(); path != paths_.rend(); ++path) RemoveWhenFreed(*path);
}

const std::string& PlantedPaths::Add(const std::string& path) { return paths_.emplace_back(path); }

void CreateDirectoryOrThrow(const std::string& path) {
  if (!CreateDirectoryW(Extended(path).c_str(), nullptr)) throw Failure("CreateDirectoryW", path);
}

void CreateFileOrThrow(const std::string& path, std::uint64_t size) {
  const ScopedFileHandle file(
      CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) throw Failure("CreateFileW", path);
  if (size == 0) return;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get())) {
    throw Failure("SetEndOfFile", path);
  }
}

void SetDirectoryTimes(const std::string& path, std::uint64_t fileTime) {
  const ScopedFileHandle directory(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!directory.IsValid()) throw Failure("CreateFileA(directory)", path);
  FILETIME stamp;
  stamp.dwLowDateTime = static_cast<DWORD>(fileTime);
  stamp.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  if (!SetFileTime(directory.Get(), &stamp, &stamp, &stamp)) throw Failure("SetFileTime", path);
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAW entry;
  {
    const ScopedFindHandle find(FindFirstFileW((Extended(path) + L"\\*").c_str(), &entry));
    if (find.IsValid()) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::string child = path + "\\" + win32::Utf8(name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(child);
        } else {
          SetFileAttributesW(Extended(child).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(Extended(child).c_str());
        }
      } while (FindNextFileW(find.Get(), &entry));
    }
  }
  RemoveDirectoryW(Extended(path).c_str());
}

void RemoveWhenFreed(const std::string& path) {
  for (int attempt = 0; attempt < 100 && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++attempt) {
    if (attempt > 0) Sleep(50);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path.c_str())) RemoveTree(path);
  }
}

}  // namespace zobl::testing
