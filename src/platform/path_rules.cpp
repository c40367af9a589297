#include "platform/path_rules.h"

#include <algorithm>

namespace zobl {
namespace {

bool SameIgnoringAsciiCase(char a, char b) { return UpperAscii(a) == UpperAscii(b); }

bool IsAsciiLetter(char c) { return UpperAscii(c) >= 'A' && UpperAscii(c) <= 'Z'; }

// Whether `directory`, matched in `text` up to `end`, ends there as a whole name.
bool EndsAsPath(std::string_view text, std::size_t end, std::string_view directory) {
  return end == text.size() || text[end] == '\\' || directory.back() == '\\';
}

}  // namespace

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AssignUpperAscii(std::string& out, std::string_view text) {
  out.assign(text);
  for (char& c : out) c = UpperAscii(c);
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, SameIgnoringAsciiCase);
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view part, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), part.begin(), part.end(),
                              SameIgnoringAsciiCase);
  return at == text.end() && !part.empty() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix, const Locale& locale) {
  return locale.UpperCase(text).ends_with(locale.UpperCase(suffix));
}

bool SamePathIgnoringCase(std::string_view a, std::string_view b, const Locale& locale) {
  const auto trimmed = [](std::string_view path) { return path.ends_with('\\') ? path.substr(0, path.size() - 1) : path; };
  return locale.UpperCase(trimmed(a)) == locale.UpperCase(trimmed(b));
}

bool StartsWithDriveRoot(std::string_view path) {
  return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool IsBelowDriveRoot(std::string_view path) { return path.size() > 3 && StartsWithDriveRoot(path); }

bool IsAbove(std::string_view outer, std::string_view inner) {
  return !outer.empty() && inner.size() > outer.size() && inner.starts_with(outer) &&
         EndsAsPath(inner, outer.size(), outer);
}

bool IsSameOrAboveIgnoringAsciiCase(std::string_view ancestor, std::string_view path) {
  return !ancestor.empty() && ancestor.size() <= path.size() &&
         EqualIgnoringAsciiCase(path.substr(0, ancestor.size()), ancestor) &&
         EndsAsPath(path, ancestor.size(), ancestor);
}

bool ContainsPathIgnoringCase(std::string_view text, std::string_view directory, const Locale& locale) {
  if (directory.empty()) return false;
  const std::string upperText = locale.UpperCase(text);
  const std::string upperDirectory = locale.UpperCase(directory);
  for (std::size_t at = upperText.find(upperDirectory); at != std::string::npos;
       at = upperText.find(upperDirectory, at + 1)) {
    if (EndsAsPath(upperText, at + upperDirectory.size(), upperDirectory)) return true;
  }
  return false;
}

bool NamesDevice(std::string_view path) {
  if (path.starts_with("\\\\.\\")) return true;
  std::string_view name = path.substr(path.find_last_of("\\/:") + 1);  // npos + 1 is 0
  name = name.substr(0, name.find('.'));
  while (name.ends_with(' ')) name.remove_suffix(1);
  if (name.size() == 4 && name[3] >= '1' && name[3] <= '9') {
    return EqualIgnoringAsciiCase(name.substr(0, 3), "COM") || EqualIgnoringAsciiCase(name.substr(0, 3), "LPT");
  }
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualIgnoringAsciiCase(name, device)) return true;
  }
  return false;
}

}  // namespace zobl
