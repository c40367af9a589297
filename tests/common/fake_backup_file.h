#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/growing_file.h"
#include "platform/local_clock.h"

namespace zobl::testing {

// Files as strings by name; a name in `unwritable` cannot be opened.
class FakeGrowingFiles final : public GrowingFiles {
 public:
  std::optional<std::uint64_t> Append(const char* name, std::string_view firstText, std::string_view text) override {
    if (unwritable.contains(name)) return std::nullopt;
    std::string& file = files[name];
    const std::uint64_t former = file.size();
    if (file.empty()) file = firstText;
    file += text;
    return former;
  }
  bool CutBack(const char* name, std::uint64_t length) override {
    const auto it = files.find(name);
    if (it == files.end() || length > it->second.size()) return false;
    it->second.resize(length);
    return true;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
};

class FixedClock final : public LocalClock {
 public:
  [[nodiscard]] LocalDateTime Now() const override { return now; }
  LocalDateTime now{2024, 3, 9, 7, 5, 1};
};

}  // namespace zobl::testing
