#include "platform/win32/win32_growing_file.h"

#include <windows.h>

#include <string>

#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

bool SetLength(HANDLE file, std::uint64_t length) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool WriteWhole(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
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

}  // namespace zobl::win32
