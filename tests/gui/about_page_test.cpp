// The About tab's text and the five links.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_support.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

class AboutPageTest : public WindowTest {
 protected:
  std::string Memo() const { return WindowText(Control(kAboutText)); }
};

TEST_F(AboutPageTest, MissingReadmeShowsOneErrorAndEverythingElseWorks) {
  DeleteFileA(workingDirectory_.AboutFile().c_str());
  descriptors_.Add("a", "Alpha");
  MessageBoxAnswerer boxes;
  Open();
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].caption, "ZOBL Quillmoor");
  EXPECT_EQ(boxes.Seen()[0].text, "Cannot open file readme.txt.");
  EXPECT_EQ(Memo(), "");
  EXPECT_TRUE(Listed("a"));
  EXPECT_NE(mainWindow_->RefreshTimerId(), 0u);
}

TEST_F(AboutPageTest, TextIsShownWithItsLineBreaks) {
  struct Row {
    const char* file;
    const char* shown;
  };
  for (const Row row : {Row{"", ""}, Row{"first\nsecond\n", "first\r\nsecond\r\n"}, Row{"a\rb", "a\r\nb"}}) {
    workingDirectory_.WriteAboutFile(row.file);
    MessageBoxAnswerer boxes;
    Open();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(Memo(), row.shown);
    mainWindow_.reset();
  }
}

TEST_F(AboutPageTest, EveryLinkOpensItsPage) {
  Open();
  for (const ControlId button :
       {kLatestVersionButton, kFaqButton, kWebSiteButton, kAboutAuthorButton, kSupportButton}) {
    SendMessageA(Control(button), BM_CLICK, 0, 0);
  }
  ClickAt(Control(kWebSiteLink), {5, 5});
  const std::vector<std::string> expected = {"http://zobl.example.com/zobl.htm?FROM_ZOBL_QUILLMOOR",
                                             "http://zobl.example.com/zoblfaq.htm?FROM_ZOBL_QUILLMOOR",
                                             "http://zobl.example.com?FROM_ZOBL_QUILLMOOR",
                                             "http://zobl.example.com/aboutme.htm?FROM_ZOBL_QUILLMOOR",
                                             "http://zobl.example.com/sendmon.htm?FROM_ZOBL_QUILLMOOR",
                                             "http://zobl.example.com?FROM_ZOBL_QUILLMOOR"};
  EXPECT_EQ(shell_.opened, expected);
  EXPECT_EQ(WindowText(Control(kWebSiteButton)), "http://zobl.example.com");
  EXPECT_TRUE(IsZoomed(mainWindow_->Handle())) << "the window stays as it was";
}

}  // namespace
}  // namespace zobl::testing
