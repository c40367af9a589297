#include "reports/printed_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable_locale.h"
#include "reports/print_pagination.h"

namespace zobl::testing {
namespace {

constexpr int kLine = 10;  // the height of every text

// What reached paper: each page's lines by their y, texts joined as drawn side by side.
struct Paper {
  std::string title;
  std::vector<std::map<int, std::string>> pages;
  bool whiteFill = false;
  bool ended = false;
};

class FakeDocument final : public PrintDocument {
 public:
  FakeDocument(Paper& paper, int pageHeight, std::function<void()> onDraw)
      : paper_(paper), pageHeight_(pageHeight), onDraw_(std::move(onDraw)) {
    paper_.pages.emplace_back();
  }
  int PageHeight() const override { return pageHeight_; }
  int TextHeight(std::string_view) const override { return kLine; }
  void SetWhiteFill() override { paper_.whiteFill = true; }
  int DrawText(int x, int y, std::string_view text) override {
    EXPECT_TRUE(paper_.whiteFill);
    std::string& line = paper_.pages.back()[y];
    EXPECT_EQ(static_cast<int>(line.size()), x) << "drawn where the line's text ends";
    line += text;
    if (onDraw_) onDraw_();
    return x + static_cast<int>(text.size());
  }
  void NewPage() override { paper_.pages.emplace_back(); }
  void End() override { paper_.ended = true; }

 private:
  Paper& paper_;
  int pageHeight_;
  std::function<void()> onDraw_;
};

class FakePrinter final : public PrintPlatform {
 public:
  std::optional<PrintCopies> ShowPrintDialog() override { return confirm ? std::optional(copies) : std::nullopt; }
  LocalDateTime Now() const override { return {2001, 7, 4, 9, 5}; }
  std::unique_ptr<PrintDocument> StartDocument(const std::string& title) override {
    paper.title = title;
    return std::make_unique<FakeDocument>(paper, 60 * kLine, onDraw);
  }

  bool confirm = true;
  PrintCopies copies;
  std::function<void()> onDraw;
  Paper paper;
};

class PrintedListTest : public ::testing::Test {
 protected:
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      list_.Add({.name = "P" + std::to_string(1001 + list_.Count()), .keyName = "Key", .installDate = "2001.7.4",
                 .size = SizeState::Measured, .sizeBytes = 100, .command = "un.exe", .directory = "C:\\P"});
    }
  }

  PortableLocale locale_;
  InventoryList list_{locale_};
  ShownRows shown_{list_, locale_};
  FakePrinter printer_;
};

// With pages 60 lines high, the first holds 57 rows under the header and its empty line,
// each later one 59: the lowest line of a page stays empty.
TEST(PrintPaginationTest, FillsPagesUpToTheirLastLineAndStartsNoneForNothing) {
  const struct {
    std::size_t rows;
    std::vector<std::size_t> starts;
  } cases[] = {{0, {0}}, {1, {0}}, {57, {0}}, {58, {0, 57}}, {116, {0, 57}}, {117, {0, 57, 116}}};
  for (const auto& c : cases) EXPECT_EQ(PageStarts(c.rows, kLine, 60 * kLine), c.starts) << c.rows << " rows";
}

// Each page as the start of its top line and its number of lines.
TEST_F(PrintedListTest, CopiesRepeatThePagesOnlyWhenThePrinterDoesNot) {
  AddRows(58);
  const struct {
    PrintCopies copies;
    std::vector<std::string> pages;
  } cases[] = {
      {{1, false, false}, {"Softw 58", "P1058 1"}},
      {{3, true, false}, {"Softw 58", "P1058 1", "Softw 58", "P1058 1", "Softw 58", "P1058 1"}},
      {{3, false, false}, {"Softw 58", "Softw 58", "Softw 58", "P1058 1", "P1058 1", "P1058 1"}},
      {{3, true, true}, {"Softw 58", "P1058 1"}},
  };
  for (const auto& c : cases) {
    printer_.paper = {};
    printer_.copies = c.copies;
    PrintInventory(shown_, printer_);
    std::vector<std::string> pages;
    for (const auto& page : printer_.paper.pages) {
      pages.push_back(page.at(0).substr(0, 5) + " " + std::to_string(page.size()));  // pages start at the top
    }
    EXPECT_EQ(pages, c.pages) << c.copies.count << " copies, collated " << c.copies.collate;
    EXPECT_TRUE(printer_.paper.ended);
  }
}

TEST_F(PrintedListTest, HeaderTitlesTheDocumentAndRowsFollowAnEmptyLine) {
  AddRows(2);
  PrintInventory(shown_, printer_);
  const std::map<int, std::string> expected{{0, "Software stats by ZOBL (Quillmoor). Date=2001.7.4 9h5"},
                                            {20, "P1001 Date=2001.7.4 Size= Directory=C:\\P"},
                                            {30, "P1002 Date=2001.7.4 Size= Directory=C:\\P"}};
  EXPECT_EQ(printer_.paper.pages.at(0), expected);
  EXPECT_EQ(printer_.paper.title, expected.at(0));
}

TEST_F(PrintedListTest, CancelPrintsNothingAndARowDroppedWhileItPrintsIsPrintedWhole) {
  AddRows(3);
  printer_.confirm = false;
  PrintInventory(shown_, printer_);
  EXPECT_TRUE(printer_.paper.pages.empty());

  printer_.confirm = true;
  printer_.onDraw = [this] {
    if (list_.Count() == 3 && printer_.paper.pages[0].count(30) == 1) list_.DeleteAt(1);  // its name is drawn
  };
  PrintInventory(shown_, printer_);
  ASSERT_EQ(printer_.paper.pages.size(), 1u);
  EXPECT_EQ(printer_.paper.pages[0].size(), 4u);
  EXPECT_EQ(printer_.paper.pages[0].at(30), "P1002 Date=2001.7.4 Size= Directory=C:\\P");
}

}  // namespace
}  // namespace zobl::testing
