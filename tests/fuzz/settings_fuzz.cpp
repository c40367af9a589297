// Reads the two settings from arbitrary settings files and then writes and reads them in
// an arbitrary order, some writes failing: reads change nothing; after a write that
// worked a setting reads as written and the other one as before; a write that failed
// changes nothing; and writing a setting again as it is leaves the file as it is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "ini_text_profile.h"
#include "ui/settings.h"

namespace {

using zobl::BoolSetting;
using zobl::fuzzing::Check;
using zobl::fuzzing::IniTextProfile;

constexpr const BoolSetting* kSettings[] = {&zobl::kDetailedList, &zobl::kDisplayTexture};
constexpr std::size_t kMostSteps = 12;

}  // namespace

// Input: the file's text up to a 0xFF byte, then one byte per step: bit 0 picks the
// setting, bit 1 whether to switch it on, bit 2 a failing write.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = std::min(input.find('\xFF'), input.size());
  IniTextProfile profile{std::string(input.substr(0, separator))};
  const zobl::Settings settings(profile);

  bool current[2];
  for (int i = 0; i < 2; ++i) {
    const std::string before = profile.Text();
    current[i] = settings.Read(*kSettings[i]);
    Check(profile.Text() == before);
  }

  // A few steps are enough to meet every order of writes; many would only slow the fuzzer.
  for (std::size_t at = separator + 1; at < std::min(input.size(), separator + 1 + kMostSteps); ++at) {
    const auto step = static_cast<std::uint8_t>(input[at]);
    const int which = step & 1;
    const bool on = (step & 2) != 0;
    const bool failing = (step & 4) != 0;
    profile.FailWrites(failing);
    const std::string before = profile.Text();
    settings.Write(*kSettings[which], on);
    if (failing) {
      Check(profile.Text() == before);
    } else {
      current[which] = on;
      const std::string written = profile.Text();
      settings.Write(*kSettings[which], on);
      Check(profile.Text() == written);
    }
    for (int i = 0; i < 2; ++i) Check(settings.Read(*kSettings[i]) == current[i]);
  }
  return 0;
}
