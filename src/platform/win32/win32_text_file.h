#pragma once

#include "platform/text_file.h"

namespace zobl::win32 {

class Win32TextFileReader final : public TextFileReader {
 public:
  std::optional<std::string> ReadWholeFile(const char* name) override;
};

}  // namespace zobl::win32
