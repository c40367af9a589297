// The system's message boxes as the program asks for them: the picture, the buttons and
// the caption of each kind, and the answer the user's click gives back.
#include "platform/win32/win32_user_dialogs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ui/failure_text.h"
#include "message_box_answerer.h"

namespace zobl::testing {
namespace {

TEST(UserDialogs, EachKindShowsItsPictureButtonsAndCaptionAndGivesTheClickedAnswer) {
  const struct {
    BoxIcon icon;
    LPCSTR picture;
    std::vector<int> buttons;  // the default first
    int clicked;
    BoxAnswer answer;
  } cases[] = {
      {BoxIcon::Information, IDI_INFORMATION, {IDOK}, IDOK, BoxAnswer::Ok},
      {BoxIcon::Warning, IDI_WARNING, {IDOK}, IDOK, BoxAnswer::Ok},
      {BoxIcon::Error, IDI_ERROR, {IDOK}, IDOK, BoxAnswer::Ok},
      {BoxIcon::Question, IDI_QUESTION, {IDYES, IDNO}, IDYES, BoxAnswer::Yes},
      {BoxIcon::Question, IDI_QUESTION, {IDYES, IDNO}, IDNO, BoxAnswer::No},
  };
  win32::Win32UserDialogs dialogs(kApplicationTitle);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "icon " << static_cast<int>(c.icon) << ", clicked " << c.clicked);
    std::vector<int> buttons;
    int defaultButton = 0;
    BoxAnswer answer;
    {
      const MessageBoxAnswerer answerer(c.clicked, [&](HWND box) {
        for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
          const HWND button = GetDlgItem(box, id);
          if (button == nullptr) continue;
          buttons.push_back(id);
          if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaultButton = id;
        }
      });
      answer = dialogs.Show("Программа \"Acme\" ?", c.icon);
      ASSERT_EQ(answerer.Seen().size(), 1u);
      EXPECT_EQ(answerer.Seen()[0].caption, "ZOBL Quillmoor");
      EXPECT_EQ(answerer.Seen()[0].text, "Программа \"Acme\" ?");
      EXPECT_EQ(answerer.Seen()[0].icon, LoadIcon(nullptr, c.picture));
    }
    std::vector<int> expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(defaultButton, c.buttons.front());
    EXPECT_EQ(answer, c.answer);
  }
}

}  // namespace
}  // namespace zobl::testing
