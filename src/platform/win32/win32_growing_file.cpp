#include "platform/win32/win32_growing_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

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

}  // namespace

std::optional<std::uint64_t> Win32GrowingFiles::Append(const char* name,
                                                       std::string_view firstText,
                                                       std::string_view text) {
  // Fails on a directory of that name, and where the user may not write.
  const ScopedFileHandle file(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  const auto formerLength = static_cast<std::uint64_t>(size.QuadPart);
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_END)) return std::nullopt;
  std::string whole;
  if (formerLength == 0) whole = firstText;
  whole += text;
  if (!WriteWhole(file.Get(), whole)) {
    SetLength(file.Get(), formerLength);  // a disk that filled up keeps no half entry
    return std::nullopt;
  }
  // The copy must be on the disk before the original goes.
  if (!FlushFileBuffers(file.Get())) {
    SetLength(file.Get(), formerLength);
    return std::nullopt;
  }
  return formerLength;
}

bool Win32GrowingFiles::CutBack(const char* name, std::uint64_t length) {
  const ScopedFileHandle file(
      CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsValid() && SetLength(file.Get(), length);
}

std::optional<std::string> Win32GrowingFiles::Read(const char* name, std::size_t limit) {
  const ScopedFileHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  std::string content(std::min(static_cast<std::uint64_t>(size.QuadPart), static_cast<std::uint64_t>(limit)), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
    if (!ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return content;
}

bool Win32GrowingFiles::Replace(const char* name, std::string_view content) {
  return ReplaceWholeFile(Wide(name), content) == FileReplacement::Replaced;
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
