#pragma once

namespace zobl {

// The settings file: integer keys in one section with the empty name.
class Profile {
 public:
  virtual ~Profile() = default;

  // The key's value read as an unsigned integer, or `defaultValue` when the file, the
  // section or the key is missing.
  [[nodiscard]] virtual unsigned ReadInt(const char* key, unsigned defaultValue) = 0;
  // Replaces one key's value, creating the file or key as needed; false when it fails.
  virtual bool WriteString(const char* key, const char* value) = 0;
};

}  // namespace zobl
