#pragma once

#include "platform/growing_file.h"

namespace zobl::win32 {

class Win32GrowingFiles final : public GrowingFiles {
 public:
  std::optional<std::uint64_t> Append(const char* name,
                                      std::string_view requiredStart,
                                      std::string_view firstText,
                                      std::string_view text) override;
  bool CutBack(const char* name, std::uint64_t length) override;
  std::optional<std::string> Read(const char* name, std::size_t limit) override;
  bool Replace(const char* name, std::string_view content) override;
  [[nodiscard]] FileRefusal LastRefusal() const override { return refusal_; }
  [[nodiscard]] std::optional<std::u16string> FromSystemCodePage(std::string_view text) const override;

 private:
  FileRefusal refusal_ = FileRefusal::None;
};

}  // namespace zobl::win32
