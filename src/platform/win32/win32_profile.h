#pragma once

#include <string>

#include "platform/profile.h"

namespace zobl::win32 {

// A private profile file through GetPrivateProfileIntA / WritePrivateProfileStringA.
class Win32Profile final : public Profile {
 public:
  explicit Win32Profile(std::string fileName) : fileName_(std::move(fileName)) {}

  [[nodiscard]] unsigned ReadInt(const char* key, unsigned defaultValue) override;
  bool WriteString(const char* key, const char* value) override;

 private:
  std::string fileName_;
};

}  // namespace zobl::win32
