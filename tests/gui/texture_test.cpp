// The background picture under Wine: screen pixels of the real window and a message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "gui_support.h"
#include "platform/win32/gdi_handles.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

// A 24-bit picture's pixel as the screen shows it: rows are stored bottom-up.
COLORREF PicturePixel(const std::vector<char>& file, int x, int y) {
  const int width = 192;
  const int height = 192;
  const std::size_t row = ((width * 24 + 31) / 32) * 4;
  const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * row + static_cast<std::size_t>(x) * 3;
  return RGB(static_cast<std::uint8_t>(file[at + 2]), static_cast<std::uint8_t>(file[at + 1]),
             static_cast<std::uint8_t>(file[at]));
}

COLORREF ScreenPixel(POINT at) {
  const win32::ScopedWindowDc screen(nullptr);
  return GetPixel(screen.Get(), at.x, at.y);
}

// Waits until the screen shows `expected` at `at`: what a window paints reaches the
// screen through the X server, a moment later.
::testing::AssertionResult ScreenShows(POINT at, COLORREF expected) {
  if (PumpUntil([&] { return ScreenPixel(at) == expected; }, 5000)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "the screen shows " << ScreenPixel(at) << " at (" << std::dec
                                       << at.x << ", " << at.y << "), not " << std::hex << expected;
}

// A point of a window's client area where nothing but the background shows, on the screen.
POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

class TextureTest : public WindowTest {
 public:
  // What the picture puts at a point of the screen.
  COLORREF Expected(POINT at) const { return PicturePixel(picture_, at.x % 192, at.y % 192); }

 protected:
  void SetUp() override {
    std::ifstream in(ZOBL_TEXTURE_PATH, std::ios::binary);
    picture_.assign(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(picture_.size(), 54u + 192 * 192 * 3);
  }
  void WritePicture(const std::vector<char>& bytes) const {
    std::ofstream out(workingDirectory_.Path() + "\\MARLO192.FON", std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void RemovePicture() const { DeleteFileA((workingDirectory_.Path() + "\\MARLO192.FON").c_str()); }
  void ShowOptions() {
    mainWindow_->ActivatePage(WindowPage::Options);
    RedrawWindow(mainWindow_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
  }
  // The Options page's background, far from its one control.
  POINT PageBackground() const { return OnScreen(mainWindow_->Page(WindowPage::Options), {400, 200}); }
  bool Checked() const { return SendMessageA(Control(kTextureCheckBox), BM_GETCHECK, 0, 0) == BST_CHECKED; }

  std::vector<char> picture_;
};

TEST_F(TextureTest, WindowAndMessageBoxShowOnePatternFixedToTheScreen) {
  WritePicture(picture_);
  Open();
  ShowOptions();
  ASSERT_TRUE(Checked());
  const POINT page = PageBackground();
  EXPECT_TRUE(ScreenShows(page, Expected(page)));

  // Seen while the box is up, from its own message loop.
  bool boxSeen = false;
  {
    const MessageBoxAnswerer answerer(IDOK, [&](HWND box) {
      const POINT corner = OnScreen(box, {3, 3});
      boxSeen = true;
      EXPECT_TRUE(ScreenShows(corner, Expected(corner)));
    });
    MessageBoxA(mainWindow_->Handle(), "A box over the picture", "ZOBL Quillmoor", MB_OK);
  }
  EXPECT_TRUE(boxSeen);
}

TEST_F(TextureTest, OffAtStartWithoutAFileOrDamagedPaintsNothingAndOnAgainReloads) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Off in the settings: the box follows, nothing is painted.
  WritePicture(picture_);
  WritePrivateProfileStringA("", "DisplayTexture", "0", workingDirectory_.SettingsFile().c_str());
  Open();
  ShowOptions();
  EXPECT_FALSE(Checked());
  EXPECT_TRUE(ScreenShows(PageBackground(), face));
  mainWindow_.reset();

  // On, but no file: the box stays as set, nothing is painted.
  RemovePicture();
  WritePrivateProfileStringA("", "DisplayTexture", "1", workingDirectory_.SettingsFile().c_str());
  Open();
  ShowOptions();
  EXPECT_TRUE(Checked());
  EXPECT_TRUE(ScreenShows(PageBackground(), face));

  const auto toggleTwice = [this] {
    for (int click = 0; click < 2; ++click) {
      SendMessageA(Control(kTextureCheckBox), BM_CLICK, 0, 0);
      PumpPending();
    }
    ShowOptions();
  };
  // A damaged file paints nothing either.
  WritePicture(std::vector<char>(picture_.begin(), picture_.begin() + 1000));
  toggleTwice();
  EXPECT_TRUE(ScreenShows(PageBackground(), face));

  // A file put in place shows once the option is switched off and on again.
  std::vector<char> red = picture_;
  for (std::size_t at = 54; at + 2 < red.size(); at += 3) {
    red[at] = 0;
    red[at + 1] = 0;
    red[at + 2] = static_cast<char>(200);
  }
  WritePicture(red);
  toggleTwice();
  EXPECT_TRUE(Checked());
  EXPECT_TRUE(ScreenShows(PageBackground(), RGB(200, 0, 0)));
  EXPECT_EQ(GetPrivateProfileIntA("", "DisplayTexture", 7, workingDirectory_.SettingsFile().c_str()), 1u);
  mainWindow_.reset();
  RemovePicture();
}

// While the system shows high contrast the picture stands aside and labels take the
// system's colours; the user's choice stays as set, and the picture is back once it is off.
TEST_F(TextureTest, HighContrastKeepsThePictureAwayWhileItIsOn) {
  WritePicture(picture_);
  WritePrivateProfileStringA("", "DisplayTexture", "1", workingDirectory_.SettingsFile().c_str());
  contrast_.on = true;
  Open();
  ShowOptions();
  EXPECT_TRUE(Checked());
  EXPECT_TRUE(ScreenShows(PageBackground(), GetSysColor(COLOR_BTNFACE)));
  // The web link, not its own blue; the About text with the window colour it stands on.
  for (const auto [control, colour] : {std::pair{kWebSiteLink, COLOR_HOTLIGHT}, std::pair{kAboutText, COLOR_WINDOWTEXT}}) {
    const win32::ScopedWindowDc dc(Control(control));
    SetTextColor(dc.Get(), RGB(1, 2, 3));  // none the system gives
    SendMessageA(mainWindow_->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                 reinterpret_cast<LPARAM>(Control(control)));
    EXPECT_EQ(GetTextColor(dc.Get()), GetSysColor(colour)) << control;
  }

  contrast_.on = false;
  SendMessageA(mainWindow_->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  PumpPending();
  const POINT page = PageBackground();
  EXPECT_TRUE(ScreenShows(page, Expected(page)));
  EXPECT_TRUE(Checked());
  EXPECT_EQ(GetPrivateProfileIntA("", "DisplayTexture", 7, workingDirectory_.SettingsFile().c_str()), 1u);
  mainWindow_.reset();
  RemovePicture();
}

}  // namespace
}  // namespace zobl::testing
