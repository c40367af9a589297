#include "platform/portable_locale.h"

#include <cstdio>
#include <cstring>

#include "platform/path_rules.h"

namespace zobl {
namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
unsigned char FoldCase(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// Primary weight: punctuation (and everything else that is neither digit nor letter)
// first, then digits, then letters; within a class, the case-folded byte.
unsigned PrimaryWeight(unsigned char c) {
  const unsigned group = IsDigit(c) ? 1u : IsAsciiLetter(c) ? 2u : 0u;
  return group << 8 | FoldCase(c);
}

}  // namespace

int PortableLocale::CompareText(const char* first, const char* second) const {
  const auto* a = reinterpret_cast<const unsigned char*>(first);
  const auto* b = reinterpret_cast<const unsigned char*>(second);
  int caseOrder = 0;  // the first difference in case alone decides a tie
  for (; *a != 0 && *b != 0; ++a, ++b) {
    const unsigned wa = PrimaryWeight(*a);
    const unsigned wb = PrimaryWeight(*b);
    if (wa != wb) return wa < wb ? -1 : 1;
    if (caseOrder == 0 && *a != *b) caseOrder = *a > *b ? -1 : 1;  // lower case ('a' > 'A') first
  }
  if (*a != 0 || *b != 0) return *a == 0 ? -1 : 1;
  return caseOrder;
}

// Every primary weight in two bytes, one above the weight so that the end (two zeros)
// comes before any character; then the case, larger bytes first, for texts that tie.
std::string PortableLocale::SortKey(std::string_view text) const {
  std::string key;
  key.reserve(3 * text.size() + 2);
  for (const char c : text) {
    const unsigned weight = PrimaryWeight(static_cast<unsigned char>(c)) + 1;
    key += static_cast<char>(weight >> 8);
    key += static_cast<char>(weight & 0xFF);
  }
  key.append(2, '\0');
  for (const char c : text) key += static_cast<char>(0xFF - static_cast<unsigned char>(c));
  return key;
}

namespace {

// The upper case of a code point from U+0080 to U+07FF, the two-byte sequences of UTF-8.
char32_t UpperTwoByte(char32_t c) {
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
    return c - 0x20;
  }
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c == 0xFF) return 0x178;  // the one Latin-1 letter whose capital lies outside it
  return c;
}

}  // namespace

std::string PortableLocale::LocaleUpperCase(std::string_view text) const {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto lead = static_cast<unsigned char>(upper[i]);
    if (lead < 0x80) {
      upper[i] = UpperAscii(upper[i]);
    } else if ((lead & 0xE0) == 0xC0 && i + 1 < upper.size() && (static_cast<unsigned char>(upper[i + 1]) & 0xC0) == 0x80) {
      const char32_t folded = UpperTwoByte((lead & 0x1Fu) << 6 | (static_cast<unsigned char>(upper[i + 1]) & 0x3Fu));
      upper[i] = static_cast<char>(0xC0 | folded >> 6);  // upper and lower case take two bytes alike here
      upper[++i] = static_cast<char>(0x80 | (folded & 0x3F));
    }
  }
  return upper;
}

namespace {

struct CivilDate {
  long long year;
  unsigned month;
  unsigned day;
};

// Days since 1970-01-01 to a Gregorian date (Howard Hinnant's days_from_civil inverse).
CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

void AppendNumber(std::string& out, long long value, int minDigits) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%0*lld", minDigits, value);
  out += digits;
}

}  // namespace

std::optional<std::string> PortableLocale::FormatUtcDate(std::uint64_t fileTime, const char* picture) const {
  // As on Windows, stamps with the top bit set are no time.
  if (fileTime >= 0x8000000000000000ull) return std::nullopt;
  constexpr long long kDaysFrom1601To1970 = 134774;
  const long long days = static_cast<long long>(fileTime / 864000000000ull) - kDaysFrom1601To1970;
  const CivilDate date = CivilFromDays(days);

  std::string out;
  for (const char* p = picture; *p != 0;) {
    if (*p == '\'') {  // quoted literal; '' inside stands for one quote
      for (++p; *p != 0; ++p) {
        if (*p == '\'' && p[1] == '\'') {
          out += '\'';
          ++p;
        } else if (*p == '\'') {
          ++p;
          break;
        } else {
          out += *p;
        }
      }
      continue;
    }
    std::size_t run = 1;
    while (p[run] == *p) ++run;
    switch (*p) {
      case 'y':
        if (run >= 3)
          AppendNumber(out, date.year, 4);
        else
          AppendNumber(out, date.year % 100, run == 2 ? 2 : 1);
        break;
      case 'M': AppendNumber(out, date.month, run >= 2 ? 2 : 1); break;
      case 'd': AppendNumber(out, date.day, run >= 2 ? 2 : 1); break;
      default: out.append(run, *p); break;
    }
    p += run;
  }
  return out;
}

}  // namespace zobl
