#include "ui/column_widths.h"

#include <gtest/gtest.h>

namespace zobl::testing {
namespace {

// The design's widths at 96 dpi; needed widths as the window measures its titles and the
// date's and size's texts there.
constexpr ColumnWidths kDesign96{160, 112, 76, 64, 240, 320};
constexpr ColumnWidths kNeeded96{48, 64, 118, 130, 62, 124};

TEST(ColumnWidthsTest, TitlesAndTextsReadWholeAndTheRestGoesToCommandAndDirectory) {
  const std::optional<int> none;
  const struct {
    const char* what;
    int available;
    std::array<std::optional<int>, kColumnCount> userSet;
    ColumnWidths expected;
  } cases[] = {
      {"a list narrower than the columns", 600, {}, {160, 112, 118, 130, 240, 320}},
      {"a maximized list", 1245, {}, {160, 112, 118, 130, 310, 415}},
      {"the user's Directory", 1245, {none, none, none, none, none, 200}, {160, 112, 118, 130, 525, 200}},
      {"the user's Name, narrower than designed", 1245, {40}, {40, 112, 118, 130, 362, 483}},
      {"the user's Command and Directory", 1245, {none, none, none, none, 90, 100}, {160, 112, 118, 130, 90, 100}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShareColumnWidths({c.available, kDesign96, kNeeded96, c.userSet}), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace zobl::testing
