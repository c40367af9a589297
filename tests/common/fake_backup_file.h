#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/growing_file.h"
#include "platform/local_clock.h"

namespace zobl::testing {

// Files as strings by name; a name in `unwritable` cannot be opened, one in `links` is
// a link to a file elsewhere.
class FakeGrowingFiles final : public GrowingFiles {
 public:
  std::optional<std::uint64_t> Append(const char* name,
                                      std::string_view requiredStart,
                                      std::string_view firstText,
                                      std::string_view text) override {
    if (!Opens(name)) return std::nullopt;
    std::string& file = files[name];
    if (!file.empty() && !file.starts_with(requiredStart)) {
      refusal = FileRefusal::OtherContent;
      return std::nullopt;
    }
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
  std::optional<std::string> Read(const char* name, std::size_t limit) override {
    if (!Opens(name)) return std::nullopt;
    const auto it = files.find(name);
    return it == files.end() ? std::string() : it->second.substr(0, limit);
  }
  bool Replace(const char* name, std::string_view content) override {
    if (unwritable.contains(name)) return false;
    links.erase(name);  // the new file takes the name's place
    files[name] = content;
    return true;
  }
  [[nodiscard]] FileRefusal LastRefusal() const override { return refusal; }
  // Windows-1252 as far as the tests need it: ASCII, the euro sign at 0x80, Latin-1
  // from 0xA0; other bytes have no character.
  [[nodiscard]] std::optional<std::u16string> FromSystemCodePage(std::string_view text) const override {
    std::u16string out;
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte > 0x80 && byte < 0xA0) return std::nullopt;
      out += byte == 0x80 ? u'\u20AC' : static_cast<char16_t>(byte);
    }
    return out;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
  std::set<std::string> links;
  FileRefusal refusal = FileRefusal::None;

 private:
  bool Opens(const std::string& name) {
    refusal = unwritable.contains(name) ? FileRefusal::Unwritable
              : links.contains(name)    ? FileRefusal::Link
                                        : FileRefusal::None;
    return refusal == FileRefusal::None;
  }
};

class FixedClock final : public LocalClock {
 public:
  [[nodiscard]] LocalDateTime Now() const override { return now; }
  LocalDateTime now{2024, 3, 9, 7, 5, 1};
};

}  // namespace zobl::testing
