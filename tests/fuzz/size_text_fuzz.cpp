// Feeds arbitrary byte counts to SizeText and reads every text back: it names the unit
// chosen from half a unit up, and its number is the count in that unit cut (not
// rounded) to the decimals its size allows. The next count's text never stands for
// fewer bytes.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "inventory/size_text.h"
#include "fuzz_checks.h"

namespace {

using Wide = unsigned __int128;
using zobl::fuzzing::Check;

// A size text read back: the number without its point, its decimals and the unit's
// power of two.
struct ReadSize {
  std::uint64_t digits = 0;
  int decimals = 0;
  unsigned exponent = 0;
};

ReadSize ReadBack(const std::string& text) {
  static constexpr std::string_view kSuffixes[] = {" Kb", " Mb", " Gb", " Tb"};
  ReadSize read;
  std::string_view number = text;
  bool suffixFound = false;
  for (unsigned unit = 0; unit < 4; ++unit) {
    if (number.ends_with(kSuffixes[unit])) {
      number.remove_suffix(3);
      read.exponent = 10 * (unit + 1);
      suffixFound = true;
    }
  }
  Check(suffixFound);
  std::string plain(number);
  if (const std::size_t point = plain.find('.'); point != std::string::npos) {
    read.decimals = static_cast<int>(plain.size() - point - 1);
    Check(read.decimals > 0 && point > 0);
    plain.erase(point, 1);
  }
  Check(!plain.empty() && plain.size() <= 19);
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), read.digits);
  Check(error == std::errc() && end == plain.data() + plain.size());
  return read;
}

Wide PowerOfTen(int n) {
  Wide power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

// digits / 10^decimals <= count / 2^exponent < (digits + 1) / 10^decimals
void CheckCutNumber(std::uint64_t count, const ReadSize& read) {
  const Wide scaledCount = static_cast<Wide>(count) * PowerOfTen(read.decimals);
  Check(static_cast<Wide>(read.digits) << read.exponent <= scaledCount);
  Check(scaledCount < static_cast<Wide>(read.digits + 1) << read.exponent);
  const std::uint64_t whole = read.digits / static_cast<std::uint64_t>(PowerOfTen(read.decimals));
  Check(read.decimals == (whole < 10 ? 2 : whole < 100 ? 1 : 0));
}

void CheckSizeText(std::uint64_t count) {
  const std::string text = zobl::SizeText(count);
  if (count <= 512) {
    Check(text.empty());
    return;
  }
  const ReadSize read = ReadBack(text);
  // Above half of its unit, and not above half of the next one.
  Check(count > std::uint64_t{1} << (read.exponent - 1));
  if (read.exponent < 40) Check(count <= std::uint64_t{1} << (read.exponent + 9));
  CheckCutNumber(count, read);
}

// The bytes a text stands for, compared without division: a/10^da * 2^ea <= b/10^db * 2^eb.
bool StandsForNoMore(const ReadSize& a, const ReadSize& b) {
  return (static_cast<Wide>(a.digits) * PowerOfTen(b.decimals) << a.exponent) <=
         (static_cast<Wide>(b.digits) * PowerOfTen(a.decimals) << b.exponent);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(std::uint64_t)) return 0;
  std::uint64_t count;
  std::memcpy(&count, data, sizeof count);
  // A ninth byte shifts the count down, so that small counts and unit edges come up often.
  if (size > sizeof count) count >>= data[sizeof count] % 64;

  CheckSizeText(count);
  if (count > 512 && count < ~std::uint64_t{0}) {
    CheckSizeText(count + 1);
    Check(StandsForNoMore(ReadBack(zobl::SizeText(count)), ReadBack(zobl::SizeText(count + 1))));
  }
  // The number part on its own, for every unit the program has and counts below 100 of it.
  for (const unsigned exponent : {0u, 10u, 20u, 30u, 40u}) {
    const std::uint64_t below = count % (std::uint64_t{100} << exponent);
    ReadSize read = ReadBack(zobl::SizeNumberText(below, exponent) + " Kb");
    read.exponent = exponent;
    CheckCutNumber(below, read);
  }
  return 0;
}
