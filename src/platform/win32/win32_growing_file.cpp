#include "platform/win32/win32_growing_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/win32/final_path.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/whole_file_replacement.h"

namespace zobl::win32 {
namespace {

bool SetLength(HANDLE file, std::uint64_t length) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Whether the open file is the one at `name` itself, not one a link there leads to: its
// final path is its folder's, followed by the name. (Wine follows a Unix symbolic link
// even when asked to open the link itself.) Nothing when that cannot be told.
std::optional<bool> StandsAtItsName(HANDLE file, const std::wstring& name) {
  std::wstring full(MAX_PATH, L'\0');
  wchar_t* leaf = nullptr;
  const DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), &leaf);
  if (length == 0 || length >= full.size() || leaf == nullptr) return std::nullopt;
  const std::wstring leafName(leaf);
  full.resize(static_cast<std::size_t>(leaf - full.data()));
  const ScopedFileHandle folder(CreateFileW(full.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder.IsValid()) return std::nullopt;
  const std::optional<std::wstring> folderPath = FinalPathOf(folder.Get());
  const std::optional<std::wstring> filePath = FinalPathOf(file);
  if (!folderPath || !filePath) return std::nullopt;
  std::wstring expected = *folderPath;
  if (!expected.ends_with(L'\\')) expected += L'\\';
  expected += leafName;
  return CompareStringOrdinal(expected.c_str(), static_cast<int>(expected.size()), filePath->c_str(),
                              static_cast<int>(filePath->size()), TRUE) == CSTR_EQUAL;
}

// The file at `name`, opened without following a link and checked to be a plain file of
// one name: what the caller then reads or writes through it is that file. Invalid when it
// is refused (`refusal` says why), or is missing where `disposition` needs it.
ScopedFileHandle OpenOwnFile(const char* name, DWORD access, DWORD share, DWORD disposition, FileRefusal& refusal) {
  const std::wstring wide = Wide(name);
  ScopedFileHandle file(CreateFileW(wide.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  refusal = FileRefusal::Unwritable;
  if (!file.IsValid()) return file;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file.Get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  const std::optional<bool> atItsName = StandsAtItsName(file.Get(), wide);
  if (!atItsName) return {};
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || !*atItsName) {
    refusal = FileRefusal::Link;
    return {};
  }
  if (information.nNumberOfLinks > 1) {
    refusal = FileRefusal::SeveralNames;
    return {};
  }
  refusal = FileRefusal::None;
  return file;
}

std::optional<std::uint64_t> FileLength(HANDLE file) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

// Up to `limit` bytes from the start of the open file.
std::optional<std::string> ReadStart(HANDLE file, std::uint64_t length, std::size_t limit) {
  std::string content(static_cast<std::size_t>(std::min<std::uint64_t>(length, limit)), '\0');
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return std::nullopt;
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
    if (!ReadFile(file, content.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return content;
}

}  // namespace

std::optional<std::uint64_t> Win32GrowingFiles::Append(const char* name,
                                                       std::string_view requiredStart,
                                                       std::string_view firstText,
                                                       std::string_view text) {
  // Fails on a directory of that name, and where the user may not write.
  const ScopedFileHandle file = OpenOwnFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS, refusal_);
  if (!file.IsValid()) return std::nullopt;
  refusal_ = FileRefusal::Unwritable;
  const std::optional<std::uint64_t> formerLength = FileLength(file.Get());
  if (!formerLength) return std::nullopt;
  if (*formerLength != 0) {
    const std::optional<std::string> start = ReadStart(file.Get(), *formerLength, requiredStart.size());
    if (!start) return std::nullopt;
    if (*start != requiredStart) {
      refusal_ = FileRefusal::OtherContent;
      return std::nullopt;
    }
  }
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_END)) return std::nullopt;
  std::string whole;
  if (*formerLength == 0) whole = firstText;
  whole += text;
  // The copy must be on the disk before the original goes; a disk that filled up keeps
  // no half entry.
  if (!WriteWhole(file.Get(), whole) || !FlushFileBuffers(file.Get())) {
    SetLength(file.Get(), *formerLength);
    return std::nullopt;
  }
  refusal_ = FileRefusal::None;
  return formerLength;
}

bool Win32GrowingFiles::CutBack(const char* name, std::uint64_t length) {
  const ScopedFileHandle file = OpenOwnFile(name, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, refusal_);
  if (file.IsValid() && SetLength(file.Get(), length)) return true;
  if (refusal_ == FileRefusal::None) refusal_ = FileRefusal::Unwritable;
  return false;
}

std::optional<std::string> Win32GrowingFiles::Read(const char* name, std::size_t limit) {
  const ScopedFileHandle file =
      OpenOwnFile(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, refusal_);
  if (!file.IsValid()) {
    if (refusal_ == FileRefusal::Unwritable && GetLastError() == ERROR_FILE_NOT_FOUND) {
      refusal_ = FileRefusal::None;
      return std::string();
    }
    return std::nullopt;
  }
  const std::optional<std::uint64_t> length = FileLength(file.Get());
  std::optional<std::string> content = length ? ReadStart(file.Get(), *length, limit) : std::nullopt;
  if (!content) refusal_ = FileRefusal::Unwritable;
  return content;
}

// A link at the name is replaced, not followed: the new file takes the name's place.
bool Win32GrowingFiles::Replace(const char* name, std::string_view content) {
  const bool replaced = ReplaceWholeFile(Wide(name), content) == FileReplacement::Replaced;
  refusal_ = replaced ? FileRefusal::None : FileRefusal::Unwritable;
  return replaced;
}

// With UTF-8 as the process's code page, CP_ACP is UTF-8; the system's own code page is
// the one its 8-bit programs used.
std::optional<std::u16string> Win32GrowingFiles::FromSystemCodePage(std::string_view text) const {
  if (text.empty()) return std::u16string();
  char digits[8] = {};
  if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof digits) == 0) {
    return std::nullopt;
  }
  const auto codePage = static_cast<UINT>(std::strtoul(digits, nullptr, 10));
  if (codePage == 0) return std::nullopt;  // a locale with no 8-bit code page: nothing to read it by
  const std::optional<std::wstring> wide = ExactWide(text, codePage);
  if (!wide) return std::nullopt;
  return std::u16string(AsUtf16(*wide));
}

}  // namespace zobl::win32
