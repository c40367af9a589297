#pragma once

#include "platform/growing_file.h"

namespace zobl::win32 {

class Win32GrowingFiles final : public GrowingFiles {
 public:
  std::optional<std::uint64_t> Append(const char* name, std::string_view firstText, std::string_view text) override;
  bool CutBack(const char* name, std::uint64_t length) override;
};

}  // namespace zobl::win32
