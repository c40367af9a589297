#pragma once

#include <windows.h>

#include "platform/locale.h"

namespace zobl::win32 {

// The user's locale through lstrcmpA and the sort keys that order as it does, CharUpperBuffW
// and GetDateFormatW; texts in `codePage` (see Win32Registry).
class Win32Locale final : public Locale {
 public:
  explicit Win32Locale(UINT codePage = CP_ACP) : codePage_(codePage) {}

  [[nodiscard]] int CompareText(const char* first, const char* second) const override;
  [[nodiscard]] std::string SortKey(std::string_view text) const override;
  [[nodiscard]] std::optional<std::string> FormatUtcDate(std::uint64_t fileTime, const char* picture) const override;

 private:
  [[nodiscard]] std::string LocaleUpperCase(std::string_view text) const override;

  UINT codePage_;
};

}  // namespace zobl::win32
