#include "reports/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

namespace zobl {
namespace {

// A section is read twice: once for its shape (how many places, which are forced,
// whether to group), once to write. Both passes are linear in the section, and the number
// keeps at most 18 significant digits, so 1e300 or a long picture costs only the length
// of the text written.

enum class Piece { kText, kPlace, kPoint, kComma, kExponent };

struct Token {
  Piece piece;
  std::string_view text;  // the text to copy, the place's character, or "E+" and the like
};

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// The closing quote of the quote opened at `open`; an unclosed quote runs to the end.
std::size_t QuoteEnd(std::string_view text, std::size_t open) {
  return std::min(text.find(text[open], open + 1), text.size());
}

Token NextToken(std::string_view section, std::size_t& pos) {
  const std::size_t start = pos;
  const char c = section[pos];
  if (IsQuote(c)) {
    const std::size_t end = QuoteEnd(section, start);
    pos = std::min(end + 1, section.size());
    return {Piece::kText, section.substr(start + 1, end - start - 1)};
  }
  ++pos;
  switch (c) {
    case '#':
    case '0': return {Piece::kPlace, section.substr(start, 1)};
    case '.': return {Piece::kPoint, section.substr(start, 1)};
    case ',': return {Piece::kComma, {}};
    case 'E':
    case 'e':
      if (pos < section.size() && (section[pos] == '+' || section[pos] == '-')) {
        ++pos;
        return {Piece::kExponent, section.substr(start, 2)};
      }
      break;
    default: break;
  }
  return {Piece::kText, section.substr(start, 1)};
}

// Positive, negative and zero sections; absent ones are empty. Text after a fourth ";"
// is ignored.
std::array<std::string_view, 3> SplitSections(std::string_view picture) {
  std::array<std::string_view, 3> sections;
  std::size_t index = 0;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < picture.size() && index < sections.size()) {
    if (IsQuote(picture[pos])) {
      pos = std::min(QuoteEnd(picture, pos) + 1, picture.size());
    } else if (picture[pos++] == ';') {
      sections[index++] = picture.substr(start, pos - 1 - start);
      start = pos;
    }
  }
  if (index < sections.size()) sections[index] = picture.substr(start);
  return sections;
}

enum class Part { kInteger, kDecimals, kExponent };

struct Shape {
  bool hasPlaces = false;
  bool grouping = false;
  bool scientific = false;
  std::ptrdiff_t integerPlaces = 0;
  std::ptrdiff_t forcedInteger = 0;  // places from the leftmost integer "0" to the point
  std::ptrdiff_t decimalPlaces = 0;
  std::ptrdiff_t forcedDecimals = 0;  // places from the point to the last decimal "0"
  std::ptrdiff_t exponentPlaces = 0;
  std::ptrdiff_t forcedExponent = 0;
};

// Only the first "." and the first exponent mark count; later ones are plain text.
Shape ReadShape(std::string_view section) {
  Shape shape;
  Part part = Part::kInteger;
  std::ptrdiff_t firstForcedInteger = -1;
  std::ptrdiff_t firstForcedExponent = -1;
  for (std::size_t pos = 0; pos < section.size();) {
    const Token token = NextToken(section, pos);
    switch (token.piece) {
      case Piece::kText: break;
      case Piece::kComma: shape.grouping = true; break;
      case Piece::kPoint:
        if (part == Part::kInteger) part = Part::kDecimals;
        break;
      case Piece::kExponent:
        if (!shape.scientific) part = Part::kExponent;
        shape.scientific = true;
        break;
      case Piece::kPlace: {
        shape.hasPlaces = true;
        const bool forced = token.text[0] == '0';
        if (part == Part::kInteger) {
          if (forced && firstForcedInteger < 0) firstForcedInteger = shape.integerPlaces;
          ++shape.integerPlaces;
        } else if (part == Part::kDecimals) {
          ++shape.decimalPlaces;
          if (forced) shape.forcedDecimals = shape.decimalPlaces;
        } else {
          if (forced && firstForcedExponent < 0) firstForcedExponent = shape.exponentPlaces;
          ++shape.exponentPlaces;
        }
        break;
      }
    }
  }
  if (firstForcedInteger >= 0) shape.forcedInteger = shape.integerPlaces - firstForcedInteger;
  if (firstForcedExponent >= 0) shape.forcedExponent = shape.exponentPlaces - firstForcedExponent;
  return shape;
}

// A magnitude as 0.digits x 10^point, without trailing zeros; zero has no digits.
struct Decimal {
  std::string digits;
  std::ptrdiff_t point = 0;

  [[nodiscard]] bool IsZero() const { return digits.empty(); }
  [[nodiscard]] std::ptrdiff_t IntegerDigits() const { return IsZero() ? 0 : std::max<std::ptrdiff_t>(point, 0); }
  [[nodiscard]] std::ptrdiff_t DecimalDigits() const {
    return std::max<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(digits.size()) - point, 0);
  }
  // The digit that weighs 10^power.
  [[nodiscard]] char DigitAt(std::ptrdiff_t power) const {
    const std::ptrdiff_t at = point - 1 - power;
    return at >= 0 && at < static_cast<std::ptrdiff_t>(digits.size()) ? digits[at] : '0';
  }
  void Trim() {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) point = 0;
  }
};

// The double's first 18 significant digits, which the rounding works on. to_chars writes
// them exactly, so no binary arithmetic rounds twice, and ignores the C locale's point.
Decimal Expand(double magnitude) {
  Decimal number;
  if (magnitude == 0) return number;
  char text[40];
  const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 17);
  const std::string_view all(text, static_cast<std::size_t>(written.ptr - text));  // d.ddd...e+XX
  const std::size_t e = all.find('e');
  number.digits.assign(1, all[0]);
  number.digits.append(all.substr(2, e - 2));
  int exponent = 0;
  std::from_chars(all.data() + e + 2, all.data() + all.size(), exponent);
  number.point = (all[e + 1] == '-' ? -exponent : exponent) + 1;
  number.Trim();
  return number;
}

Decimal FromInteger(std::ptrdiff_t value) {
  Decimal number;
  number.digits = std::to_string(value);
  number.point = static_cast<std::ptrdiff_t>(number.digits.size());
  number.Trim();
  return number;
}

// Half away from zero, on the digits alone, so a decimal tie is never lost to binary.
void Round(Decimal& number, std::ptrdiff_t decimals) {
  const std::ptrdiff_t kept = number.point + decimals;
  if (kept >= static_cast<std::ptrdiff_t>(number.digits.size())) return;
  if (kept < 0) {
    number = Decimal{};
    return;
  }
  const bool up = number.digits[kept] >= '5';
  number.digits.resize(static_cast<std::size_t>(kept));
  if (up) {
    while (!number.digits.empty() && number.digits.back() == '9') number.digits.pop_back();
    if (number.digits.empty()) {
      number.digits.push_back('1');
      ++number.point;
    } else {
      ++number.digits.back();
    }
  }
  number.Trim();
}

// Integer digits written into the places that stand for them, counted from the right:
// the number's excess digits all go at the first place, and text between places keeps
// its distance from the point ("0-00" writes 12345 as "123-45"). A place left of every
// digit writes nothing, but text beside it is still copied. A thousands separator goes
// right before the first digit of its group, after any text standing there.
class IntegerRun {
 public:
  IntegerRun(const Decimal& number, std::ptrdiff_t shown, std::ptrdiff_t places, std::string_view separator)
      : number_(number), top_(shown - 1), next_(shown - 1), placesLeft_(places), separator_(separator) {}

  void Place(std::string& out) { WriteDownTo(out, --placesLeft_); }
  void Finish(std::string& out) { WriteDownTo(out, 0); }

 private:
  void WriteDownTo(std::string& out, std::ptrdiff_t power) {
    for (; next_ >= power; --next_) {
      if (next_ % 3 == 2 && next_ != top_) out += separator_;
      out += number_.DigitAt(next_);
    }
  }

  const Decimal& number_;
  std::ptrdiff_t top_;
  std::ptrdiff_t next_;
  std::ptrdiff_t placesLeft_;
  std::string_view separator_;
};

// Writes the section with the number already rounded to its decimals. Scientific form is
// kept simple: the mantissa has one integer digit whatever the integer places, and the
// exponent fills its places as an integer does, at least one digit; "E+" always writes
// the exponent's sign, "E-" only a minus.
void Write(std::string& out,
           std::string_view section,
           const Shape& shape,
           const Decimal& number,
           std::ptrdiff_t exponent,
           const NumberSeparators& separators) {
  if (!shape.hasPlaces) {  // no room for the number: the section is plain text
    for (std::size_t pos = 0; pos < section.size();) out += NextToken(section, pos).text;
    return;
  }
  const std::ptrdiff_t shownDecimals = std::max(number.DecimalDigits(), shape.forcedDecimals);
  IntegerRun integer(number, std::max(number.IntegerDigits(), shape.forcedInteger), shape.integerPlaces,
                     shape.grouping ? std::string_view(separators.thousands) : std::string_view());
  const Decimal exponentDigits = FromInteger(exponent < 0 ? -exponent : exponent);
  IntegerRun exponentRun(exponentDigits,
                         std::max({exponentDigits.IntegerDigits(), shape.forcedExponent, std::ptrdiff_t{1}}),
                         shape.exponentPlaces, {});

  Part part = Part::kInteger;
  std::ptrdiff_t decimalPlace = 0;
  for (std::size_t pos = 0; pos < section.size();) {
    const Token token = NextToken(section, pos);
    switch (token.piece) {
      case Piece::kText: out += token.text; break;
      case Piece::kComma: break;
      case Piece::kPlace:
        if (part == Part::kInteger) {
          integer.Place(out);
        } else if (part == Part::kDecimals) {
          ++decimalPlace;
          if (decimalPlace <= shownDecimals) out += number.DigitAt(-decimalPlace);
        } else {
          exponentRun.Place(out);
        }
        break;
      case Piece::kPoint:
        if (part != Part::kInteger) {
          out += token.text;
          break;
        }
        integer.Finish(out);
        if (shownDecimals > 0) out += separators.decimal;
        part = Part::kDecimals;
        break;
      case Piece::kExponent:
        if (part == Part::kExponent) {
          out += token.text;
          break;
        }
        integer.Finish(out);
        out += token.text[0];
        if (exponent < 0) {
          out += '-';
        } else if (token.text[1] == '+') {
          out += '+';
        }
        part = Part::kExponent;
        break;
    }
  }
  if (part == Part::kInteger) integer.Finish(out);
  if (part == Part::kExponent) exponentRun.Finish(out);
}

}  // namespace

std::string FormatNumber(double value, std::string_view picture, const NumberSeparators& separators) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  const std::array<std::string_view, 3> sections = SplitSections(picture);
  const bool negative = value < 0;
  const bool negativeSection = negative && !sections[1].empty();
  std::string_view section = sections[negativeSection ? 1 : 0];
  bool minus = negative && !negativeSection;

  Shape shape = ReadShape(section);
  Decimal number = Expand(std::fabs(value));
  std::ptrdiff_t exponent = 0;
  if (shape.scientific && !number.IsZero()) {
    exponent = number.point - 1;
    number.point = 1;
  }
  Round(number, shape.decimalPlaces);
  if (shape.scientific && number.point > 1) {  // 9.99 rounded up to 10: the mantissa is 1.0 again
    exponent += number.point - 1;
    number.point = 1;
  }

  // Whatever shows as zero in the chosen section is written by the zero section, if any.
  if (number.IsZero()) {
    minus = false;
    exponent = 0;
    if (!sections[2].empty()) {
      section = sections[2];
      shape = ReadShape(section);
    }
  }

  std::string out;
  // The minus goes before everything, text in front of the digits included. A section
  // with no digit places is plain text, even for a negative number.
  if (minus && shape.hasPlaces) out += '-';
  Write(out, section, shape, number, exponent, separators);
  return out;
}

}  // namespace zobl
