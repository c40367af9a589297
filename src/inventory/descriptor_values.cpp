#include "inventory/descriptor_values.h"

#include <algorithm>
#include <charconv>

#include "platform/path_rules.h"
#include "platform/utf16_text.h"

namespace zobl {
namespace {

std::uint64_t LittleEndian(std::string_view bytes) {
  std::uint64_t number = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) number = number << 8 | static_cast<unsigned char>(bytes[i]);
  return number;
}

std::optional<std::uint64_t> StoredNumber(std::uint32_t type, std::string_view bytes) {
  if (type == kDwordType && bytes.size() == 4) return LittleEndian(bytes);
  if (type == kQwordType && bytes.size() == 8) return LittleEndian(bytes);
  return std::nullopt;
}

std::optional<std::uint64_t> StoredNumber(const RegistryValue& value) { return StoredNumber(value.type, value.bytes); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (UpperAscii(c) >= 'A' && UpperAscii(c) <= 'F'); }

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
bool IsProductCode(std::string_view key) {
  if (key.size() != 38 || key.front() != '{' || key.back() != '}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? key[i] != '-' : !IsHexDigit(key[i])) return false;
  }
  return true;
}

bool IsCalendarDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<std::string> InstallDateText(std::optional<std::string> stored) {
  if (!stored || stored->size() != 8 || !std::ranges::all_of(*stored, IsDigit)) return stored;
  const auto number = [&](std::size_t at, std::size_t length) { return std::stoi(stored->substr(at, length)); };
  if (!IsCalendarDate(number(0, 4), number(4, 2), number(6, 2))) return stored;
  return stored->substr(0, 4) + '-' + stored->substr(4, 2) + '-' + stored->substr(6, 2);
}

}  // namespace

TextReading TextReadingOf(std::uint32_t type) {
  struct Row {
    std::uint32_t type;
    TextReading reading;
  };
  // Installers do not always store a value with its documented type: a number where a text
  // belongs is read as its digits; bytes, and types without a text, are no text at all.
  static constexpr Row kReadings[] = {
      {kTextType, TextReading::Text},
      {kExpandableTextType, TextReading::Text},  // as stored, not expanded
      {kMultiTextType, TextReading::Text},       // its first text, which its first zero ends
      {kDwordType, TextReading::Digits},
      {kQwordType, TextReading::Digits},
  };
  for (const Row& row : kReadings) {
    if (row.type == type) return row.reading;
  }
  return TextReading::Absent;
}

std::optional<std::string> NumberDigits(std::uint32_t type, std::string_view bytes) {
  if (const std::optional<std::uint64_t> number = StoredNumber(type, bytes)) return std::to_string(*number);
  return std::nullopt;
}

const RegistryValue* DescriptorValues::Find(std::string_view name) const {
  const auto found =
      std::ranges::find_if(values_, [name](const RegistryValue& value) { return EqualIgnoringAsciiCase(value.name, name); });
  return found == values_.end() ? nullptr : &*found;
}

std::optional<std::uint32_t> DescriptorValues::Type(std::string_view name) const {
  const RegistryValue* value = Find(name);
  return value != nullptr ? std::optional(value->type) : std::nullopt;
}

std::optional<std::string> DescriptorValues::Text(std::string_view name) const {
  const RegistryValue* value = Find(name);
  if (value == nullptr) return std::nullopt;
  switch (TextReadingOf(value->type)) {
    case TextReading::Digits: return NumberDigits(value->type, value->bytes);
    case TextReading::Absent: return std::nullopt;
    case TextReading::Text: break;
  }
  // An odd last byte is no UTF-16 unit: it is left out.
  std::u16string text = *Utf16FromLeBytes(std::string_view(value->bytes).substr(0, value->bytes.size() & ~std::size_t{1}));
  // A text ends at its first zero, as every reader of it sees it.
  if (const std::size_t end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
  return Utf8FromUtf16Lossy(text);
}

std::optional<std::uint64_t> DescriptorValues::Number(std::string_view name) const {
  const RegistryValue* value = Find(name);
  if (value == nullptr) return std::nullopt;
  if (const std::optional<std::uint64_t> number = StoredNumber(*value)) return number;
  std::optional<std::string> text = Text(name);
  if (!text) return std::nullopt;
  const std::size_t first = text->find_first_not_of(' ');
  const std::size_t last = text->find_last_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  std::uint64_t number = 0;
  const char* begin = text->data() + first;
  const char* end = text->data() + last + 1;
  const auto [stop, error] = std::from_chars(begin, end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  return number;
}

DescriptorDetails ReadDescriptorDetails(const DescriptorValues& values, std::string_view keyName) {
  DescriptorDetails details;
  details.installLocation = values.Text("InstallLocation");
  details.installSource = values.Text("InstallSource");
  details.language = values.Number("Language");
  // Stored in KiB; a size beyond 64 bits is no size.
  if (const std::optional<std::uint64_t> kib = values.Number("EstimatedSize"); kib && *kib < (1ull << 54)) {
    details.estimatedSizeBytes = *kib * 1024;
  }
  details.registryInstallDate = InstallDateText(values.Text("InstallDate"));
  const auto flag = [&values](std::string_view name) -> std::optional<bool> {
    if (const std::optional<std::uint64_t> number = values.Number(name)) return *number != 0;
    return values.Type(name) ? std::optional(false) : std::nullopt;
  };
  details.windowsInstaller = flag("WindowsInstaller");
  details.systemComponent = flag("SystemComponent");
  if (values.Number("WindowsInstaller") == 1u && IsProductCode(keyName)) details.productCode = std::string(keyName);
  details.quietUninstallCommand = values.Text("QuietUninstallString");
  details.parentKeyName = values.Text("ParentKeyName");
  details.releaseType = values.Text("ReleaseType");
  return details;
}

}  // namespace zobl
