#include "ui/settings.h"

namespace zobl {

bool Settings::Read(const BoolSetting& setting) const {
  return profile_.ReadInt(setting.key, setting.defaultValue ? 1u : 0u) != 0;
}

void Settings::Write(const BoolSetting& setting, bool on) const {
  static_cast<void>(profile_.WriteString(setting.key, on ? "1" : "0"));
}

}  // namespace zobl
