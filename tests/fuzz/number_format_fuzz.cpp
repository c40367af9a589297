// Feeds arbitrary pictures and doubles to FormatNumber and checks what every text must
// satisfy: bounded length, and for plain digit pictures a text that reads back as the
// number within the picture's rounding.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "reports/number_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Digit places and at most one ".": the text is the number with nothing around it.
bool IsPlainPicture(std::string_view picture) {
  if (picture.find_first_not_of("#0.") != std::string_view::npos) return false;
  return picture.find_first_of("#0") != std::string_view::npos && picture.find('.') == picture.rfind('.');
}

void CheckReadsBack(double value, std::string_view picture, const std::string& text) {
  if (!IsPlainPicture(picture) || !(std::fabs(value) < 1e15) || text.empty()) return;
  const std::size_t point = picture.find('.');
  const double decimals = point == std::string_view::npos ? 0.0 : static_cast<double>(picture.size() - point - 1);
  double read = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  Check(error == std::errc() && end == text.data() + text.size());
  Check(std::fabs(read - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(value) * 1e-15 + 1e-300);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const std::string_view picture(reinterpret_cast<const char*>(data + sizeof value), size - sizeof value);

  const zobl::NumberSeparators plain;
  const zobl::NumberSeparators wide = {"\xC2\xA0", "<dec>"};
  const std::string text = zobl::FormatNumber(value, picture, plain);
  const std::string wideText = zobl::FormatNumber(value, picture, wide);

  Check(text.size() <= (picture.size() + 400) * 3);
  Check(wideText.size() <= (picture.size() + 400) * 8);
  if (std::isnan(value)) Check(text == "NAN");
  CheckReadsBack(value, picture, text);
  return 0;
}
