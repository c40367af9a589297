#pragma once

#include "platform/process_code_page.h"

namespace zobl::win32 {

class Win32ProcessCodePage final : public ProcessCodePage {
 public:
  [[nodiscard]] std::string ToUtf8(std::string_view text) const override;
};

}  // namespace zobl::win32
