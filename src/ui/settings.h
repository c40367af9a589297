#pragma once

#include "platform/profile.h"

namespace zobl {

// A switch kept in the settings file: any number but 0 means on.
struct BoolSetting {
  const char* key;
  bool defaultValue;
};

inline constexpr char kSettingsFile[] = ".\\ZOBL.INI";             // in the working directory, not beside the program
inline constexpr BoolSetting kDetailedList{"DetailedList", true};  // report view, else large icons
inline constexpr BoolSetting kDisplayTexture{"DisplayTexture", true};  // the background picture

// Settings are read when needed and written the moment their control changes; a write
// that fails is ignored (the change still holds for this run).
class Settings {
 public:
  explicit Settings(Profile& profile) : profile_(profile) {}

  [[nodiscard]] bool Read(const BoolSetting& setting) const;
  void Write(const BoolSetting& setting, bool on) const;

 private:
  Profile& profile_;
};

}  // namespace zobl
