#include "reports/number_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zobl {
namespace {

struct NumberFormatRow {
  double value;
  const char* picture;
  const char* text;
  NumberSeparators separators = {",", "."};
};

const NumberSeparators kSpaceComma = {" ", ","};

TEST(FormatNumber, PicturesWriteTheseTexts) {
  const NumberFormatRow rows[] = {
      // The program's own pictures.
      {25, "##0.##,%", "25%"},
      {12.5, "##0.##,%", "12.5%"},
      {0.125, "##0.##,%", "0.13%"},
      {0.004, "##0.##,%", "0%"},
      {4882.8125, "##0.##,%", "4,882.81%"},
      {1234567.5, "##0.##,%", "1,234,567.5%"},
      {100, "##0.##,%", "100%"},
      {25, "#,##0,,Kb", "25Kb"},
      {12.5, "#,##0,,Kb", "13Kb"},
      {0.125, "#,##0,,Kb", "0Kb"},
      {0.004, "#,##0,,Kb", "0Kb"},
      {4882.8125, "#,##0,,Kb", "4,883Kb"},
      {1234567.5, "#,##0,,Kb", "1,234,568Kb"},
      {100, "#,##0,,Kb", "100Kb"},
      {4882.8125, "#,##0,,Kb", "4 883Kb", kSpaceComma},
      {12.5, "##0.##,%", "12,5%", kSpaceComma},
      {1234567,
       "#,##0",
       "1\xC2\xA0"
       "234\xC2\xA0"
       "567",
       {"\xC2\xA0", "."}},
      {1234.5, "#,##0.0", "12345", {"", ""}},
      // Digit places.
      {1.5, "000.00", "001.50"},
      {12345, "#", "12345"},
      {0, "#", ""},
      {0, "##0", "0"},
      {0.5, "#.##", ".5"},
      {12.5, ".00", "12.50"},
      {0.5, "0.#0", "0.50"},
      {3, "0.##", "3"},
      {5551234567, "(###) ###-####", "(555) 123-4567"},
      {1234567, "(###) ###-####", "() 123-4567"},
      {25, "Kb", "Kb"},
      // Rounding: half away from zero on 18 significant digits.
      {2.5, "0", "3"},
      {3.5, "0", "4"},
      {-2.5, "0", "-3"},
      {1.005, "0.00", "1.00"},  // just below 1.005 in binary
      {0.1 + 0.2, "0.################", "0.3"},
      {0.1 + 0.2, "0.#################", "0.30000000000000004"},
      {999.5, "#,##0", "1,000"},
      {0.96, "0.0", "1.0"},
      // Signs and sections.
      {-1234.5, "#,##0.0", "-1,234.5"},
      {-0.004, "##0.##", "0"},
      {-1e-300, "0.00", "0.00"},
      {-0.0, "0;(0)", "0"},
      {5, "0;(0);zero", "5"},
      {-5, "0;(0);zero", "(5)"},
      {0.4, "0;(0);zero", "zero"},
      {-0.4, "0;(0);zero", "zero"},
      {-1.25, "0.0;;-", "-1.3"},
      {0, "0.0;;-", "-"},
      {0, "0;-0;z;more", "z"},
      {-3, "0;\"neg;\"0", "neg;3"},
      {7, "'#'0' ok'", "#7 ok"},
      // Scientific.
      {12345, "0.00E+00", "1.23E+04"},
      {0.000123, "0.0e-0", "1.2e-4"},
      {9.996, "0.00E+0", "1.00E+1"},
      {0, "0.0E+00", "0.0E+00"},
      {std::numeric_limits<double>::quiet_NaN(), "0", "NAN"},
      {std::numeric_limits<double>::infinity(), "0", "INF"},
      {-std::numeric_limits<double>::infinity(), "0", "-INF"},
  };
  for (const NumberFormatRow& row : rows) {
    EXPECT_EQ(FormatNumber(row.value, row.picture, row.separators), row.text) << row.value << " with " << row.picture;
  }
}

TEST(FormatNumber, HugeNumbersShowEveryIntegerDigit) {
  // 1e300 is 1.00000000000000005250...e300 in binary; 18 digits of it are kept.
  EXPECT_EQ(FormatNumber(1e300, "#", {}), "100000000000000005" + std::string(283, '0'));
}

}  // namespace
}  // namespace zobl
