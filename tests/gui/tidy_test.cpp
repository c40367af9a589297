// The tidy window end to end, with the demo's real installers: an NSIS program and the
// Windows Installer package uninstalled quietly in one run, each waited for with what it
// started, a third whose uninstaller fails, a stale line removed and brought back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gui_support.h"
#include "mainwindow/tidy_window.h"
#include "platform/win32/scoped_handles.h"
#include "scratch_directory.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

constexpr char kAcmeKey[] = "AcmeNotes";
constexpr char kCharlieKey[] = "{A78279E5-BC3E-4A86-BA57-F72C3E649FFC}";
constexpr char kAcmeFolder[] = "C:\\Program Files\\Acme Notes";

// Runs the command line to its end; its exit code.
DWORD RunToEnd(const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    throw std::runtime_error("cannot start " + commandLine);
  }
  const win32::ScopedKernelHandle process(started.hProcess);
  const win32::ScopedKernelHandle thread(started.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

class TidyWindowTest : public WindowTest {
 protected:
  void TearDown() override {
    // A failed run leaves nothing to the next tests.
    for (const char* key : {kAcmeKey, kCharlieKey}) installed_.Delete(RegistrySource::Machine64, key);
    RemoveTree(kAcmeFolder);
    RemoveTree("C:\\Program Files\\Charlie Clock");
  }

  HWND Tidy(TidyControlId id) const { return GetDlgItem(FindWindowA(kTidyWindowClass, nullptr), id); }
  void Tick(const std::vector<std::string>& names) const {
    const HWND list = Tidy(kTidyList);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      for (const std::string& name : names) {
        if (CellText(list, row, 0) == name) ListView_SetCheckState(list, row, TRUE);
      }
    }
  }
  // Clicks the button and answers Yes to its question; the question's text.
  std::string ClickAndConfirm(TidyControlId button) const {
    MessageBoxAnswerer boxes(IDYES);
    SendMessageA(Tidy(button), BM_CLICK, 0, 0);
    return boxes.Seen().empty() ? std::string() : boxes.Seen().front().text;
  }
  bool UntilSummary() const {
    return PumpUntil([&] { return IsWindowVisible(Tidy(kTidyOpenFolderButton)) != 0; }, 120000,
                     [&](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
  }
  bool Installed(const char* key) const { return installed_.Exists(RegistrySource::Machine64, key); }
  std::vector<std::string> SummaryRows() const {
    std::vector<std::string> rows;
    const HWND list = Tidy(kTidyList);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      rows.push_back(CellText(list, row, 0) + "|" + CellText(list, row, 1) + "|" + CellText(list, row, 2) + "|" +
                     CellText(list, row, 3));
    }
    return rows;
  }

  DescriptorKeys installed_{DescriptorKeys::AtEnd::Keep};
};

TEST_F(TidyWindowTest, QuietRunThenStaleLinesRemovedTogether) {
  const std::string installers = WindowsPathOf(ZOBL_DEMO_BUILD_PATH) + "\\installers\\";
  ASSERT_EQ(RunToEnd("\"" + installers + "acme-notes-setup.exe\" /S"), 0u);
  ASSERT_EQ(RunToEnd("msiexec /i \"" + installers + "charlie-clock.msi\" /qn"), 0u);
  const std::string failing = descriptors_.Add("x", "Xray Failing", "C:\\windows\\system32\\cmd.exe /c exit 1");
  const std::string stale = descriptors_.Add("s", "Sierra Stale", "C:\\gone\\un.exe");
  Open();
  ASSERT_TRUE(RefreshUntil([&] { return Listed("x") && Listed("s"); }));

  ClickToolButton(kToolButtonTidy);
  ASSERT_NE(Tidy(kTidyList), nullptr) << "the tool bar's button opens the window";
  Tick({"Acme Notes", "Charlie Clock", "Xray Failing"});
  SendMessageA(Tidy(kTidyQuietCheckBox), BM_CLICK, 0, 0);
  const std::string question = ClickAndConfirm(kTidyUninstallButton);
  EXPECT_NE(question.find("Acme Notes\n    Charlie Clock\n    Xray Failing\n"), std::string::npos) << question;
  ASSERT_TRUE(UntilSummary());
  WIN32_FILE_ATTRIBUTE_DATA settings{};
  ASSERT_TRUE(GetFileAttributesExA((std::string(kAcmeFolder) + "\\settings.ini").c_str(), GetFileExInfoStandard,
                                   &settings))
      << "the demo's settings stay behind";
  EXPECT_EQ(SummaryRows(),
            (std::vector<std::string>{
                "Acme Notes|removed, left behind|" + std::string(kAcmeFolder) + "|" +
                    std::to_string(settings.nFileSizeLow) + " bytes",
                "Charlie Clock|removed||", "Xray Failing|still listed (exit code 1)||"}));
  EXPECT_FALSE(Installed(kAcmeKey) || Installed(kCharlieKey));
  EXPECT_TRUE(descriptors_.Exists(failing));
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
  SetFocus(Tidy(kTidyList));
  PressKey('C', {VK_CONTROL});
  PumpPending([&](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "Ctrl+C copies the summary";

  SendMessageA(Tidy(kTidyBackButton), BM_CLICK, 0, 0);
  Tick({"Sierra Stale", "Xray Failing"});  // the second is not gone: it stays
  const std::string removal = ClickAndConfirm(kTidyRemoveLinesButton);
  EXPECT_NE(removal.find("Sierra Stale"), std::string::npos) << removal;
  EXPECT_EQ(removal.find("Xray Failing"), std::string::npos) << removal;
  EXPECT_EQ(SummaryRows(), std::vector<std::string>{"Sierra Stale|removed||"});
  EXPECT_FALSE(descriptors_.Exists(stale));
  EXPECT_TRUE(RefreshUntil([&] { return !Listed("s"); }));
  ASSERT_EQ(RunToEnd("reg import \"" + workingDirectory_.Path() + "\\ZOBL-removed.reg\""), 0u);
  EXPECT_TRUE(descriptors_.Exists(stale)) << "the backup brings it back";
}

// An uninstaller that starts a copy of itself and ends is waited for until the copy has
// ended too; meanwhile the window says which one runs, asks before it closes, and
// Escape lets the one under way finish and starts no other.
TEST_F(TidyWindowTest, WaitsForWhatTheUninstallerStartedAndStopsAfterIt) {
  PlantedPaths planted;
  const std::string uninstaller = WindowsPathOf(ZOBL_TEST_UNINSTALLER_PATH);
  planted.Add(uninstaller + ".ran");
  const std::string spawnerFile = planted.Add(uninstaller + ".spawner");
  DeleteFileA(spawnerFile.c_str());
  const std::string eventName = "ZoblTidyWait" + std::to_string(GetCurrentProcessId());
  const win32::ScopedKernelHandle go(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
  descriptors_.Add("a", "Alpha Copies Itself", "\"" + uninstaller + "\" /spawn " + eventName);
  descriptors_.Add("b", "Bravo Next", "\"" + uninstaller + "\"");
  Open();
  PressKey('U', {VK_CONTROL});
  PumpPending([&](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
  ASSERT_NE(Tidy(kTidyList), nullptr) << "Ctrl+U opens the window";
  Tick({"Alpha Copies Itself", "Bravo Next"});
  ClickAndConfirm(kTidyUninstallButton);

  // The first process has ended once its copy says so.
  ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(spawnerFile.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  const HWND tidy = FindWindowA(kTidyWindowClass, nullptr);
  SendMessageA(tidy, WM_TIMER, 1, 0);  // the window's look at the run
  EXPECT_EQ(WindowText(Tidy(kTidyStatusLabel)), "Uninstalling 1 of 2: Alpha Copies Itself");
  {
    MessageBoxAnswerer boxes(IDNO);
    SendMessageA(tidy, WM_CLOSE, 0, 0);
    ASSERT_EQ(boxes.Seen().size(), 1u) << "closing asks while one runs";
  }
  ASSERT_TRUE(IsWindow(tidy));
  SetFocus(Tidy(kTidyStopButton));
  PressKey(VK_ESCAPE);
  PumpPending([&](MSG& message) { return mainWindow_->PreTranslateMessage(message); });
  EXPECT_FALSE(IsWindowEnabled(Tidy(kTidyStopButton))) << "Escape stops after the one under way";
  SetEvent(go.Get());
  ASSERT_TRUE(UntilSummary());
  EXPECT_EQ(SummaryRows(), (std::vector<std::string>{"Alpha Copies Itself|still listed (exit code 0)||",
                                                     "Bravo Next|stopped (not run)||"}));
}

// Moved to a screen of another resolution, here twice the first screen's 96 dpi, the window
// lays itself out there, keeping its size: buttons, font and columns twice as large. A dpi
// no screen has is ignored.
TEST_F(TidyWindowTest, FollowsItsScreensResolution) {
  Open();
  ClickToolButton(kToolButtonTidy);
  const HWND tidy = FindWindowA(kTidyWindowClass, nullptr);
  RECT kept{};
  ASSERT_TRUE(GetWindowRect(tidy, &kept));
  for (const auto& [dpi, closeWidth, nameWidth, fontHeight] : {std::tuple{2000, 72, 304, -10}, {192, 144, 608, -21}}) {
    SendMessageA(tidy, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&kept));
    RECT close{};
    GetWindowRect(Tidy(kTidyCloseButton), &close);
    EXPECT_EQ(close.right - close.left, closeWidth) << dpi;
    EXPECT_EQ(ListView_GetColumnWidth(Tidy(kTidyList), 0), nameWidth) << dpi;
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageA(Tidy(kTidyCloseButton), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, fontHeight) << dpi;
  }
}

}  // namespace
}  // namespace zobl::testing
