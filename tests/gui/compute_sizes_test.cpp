// "Compute the Files Size" in the real window, over real directories.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gui_support.h"
#include "scratch_directory.h"
#include "window_fixture.h"

namespace zobl::testing {
namespace {

// Runs a check when the message it posts is handled. Posted right behind a click, it is
// handled by the message pump of the work that the click started, so it sees that work
// under way.
class PostedProbe {
 public:
  explicit PostedProbe(std::function<void()> check) : check_(std::move(check)) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PostedProbe::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZoblTestProbe";
    RegisterClassA(&windowClass);  // fails harmlessly when a probe made it before
    window_ = CreateWindowExA(0, "ZoblTestProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~PostedProbe() { DestroyWindow(window_); }
  PostedProbe(const PostedProbe&) = delete;
  PostedProbe& operator=(const PostedProbe&) = delete;

  void Post() const { PostMessageA(window_, WM_APP, 0, 0); }
  [[nodiscard]] bool Ran() const { return ran_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* probe = reinterpret_cast<PostedProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_APP || probe == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    probe->ran_ = true;
    probe->check_();
    return 0;
  }

  std::function<void()> check_;
  HWND window_;
  bool ran_ = false;
};

RECT ScreenRect(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  return box;
}

class ComputeSizesWindowTest : public WindowTest {
 protected:
  // A program directory with an uninstaller of `size` bytes (sparse: nothing is written).
  std::string AddProgram(const std::string& name, std::uint64_t extraBytes) {
    const std::string directory = scratch_.Path() + "\\" + name;
    CreateDirectoryOrThrow(directory);
    CreateFileOrThrow(directory + "\\un.exe", 100);
    if (extraBytes > 0) CreateFileOrThrow(directory + "\\data.bin", extraBytes);
    descriptors_.Add(name, name, directory + "\\un.exe");
    return directory;
  }
  double SliceValue(const std::string& label) const {
    for (const PieSlice& slice : mainWindow_->PieSlices().Slices()) {
      if (slice.label == label) return slice.value;
    }
    return -1;
  }

  ScratchDirectory scratch_{"sizes"};
};

TEST_F(ComputeSizesWindowTest, MeasuresEveryRowWithTheBarOverTheButtonThenGivesTheButtonBack) {
  AddProgram("QmBig", 5ull << 30);
  AddProgram("QmSmall", 0);
  Open();
  const HWND button = Control(kComputeSizesButton);
  const HWND bar = Control(kComputeProgressBar);

  bool barOverHiddenButton = false;
  bool pieShowing = false;
  const PostedProbe probe([&] {
    const RECT b = ScreenRect(button);
    const RECT p = ScreenRect(bar);
    barOverHiddenButton =
        IsWindowVisible(bar) && !IsWindowVisible(button) && p.left == b.left && p.top == b.top && p.right == b.right;
    pieShowing = TabCtrl_GetCurSel(Control(kPageControl)) == 1 && IsWindowVisible(mainWindow_->Page(WindowPage::Pie));
  });
  PostMessageA(button, BM_CLICK, 0, 0);
  probe.Post();
  ASSERT_TRUE(PumpUntil([&] { return probe.Ran() && IsWindowVisible(button); }, 20000));

  EXPECT_TRUE(barOverHiddenButton);
  EXPECT_TRUE(pieShowing);
  EXPECT_FALSE(IsWindowVisible(bar));
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), SendMessageA(bar, PBM_GETRANGE, FALSE, 0)) << "a full bar at the end";
  EXPECT_EQ(TabCtrl_GetCurSel(Control(kPageControl)), 1);  // left as the run made it
  const UninstallEntry* big = Row("QmBig");
  const UninstallEntry* small = Row("QmSmall");
  ASSERT_TRUE(big && small);
  EXPECT_EQ(CellText(Control(kInventoryListView), RowIndex("QmBig"), kSizeColumn), "5.00 Gb");
  EXPECT_EQ(big->sizeBytes, 5368709220u);
  EXPECT_EQ(CellText(Control(kInventoryListView), RowIndex("QmSmall"), kSizeColumn), "");
  EXPECT_EQ(small->sizeBytes, 100u);
  EXPECT_DOUBLE_EQ(SliceValue("QmBig"), 5242880.09765625);

  // Back on the pie from another tab, by the user's click, the pie is built afresh.
  mainWindow_->ActivatePage(WindowPage::List);
  mainWindow_->Inventory().SetSizeBytes(small->id, 4096);
  RECT tab;
  TabCtrl_GetItemRect(Control(kPageControl), 1, &tab);
  ClickAt(Control(kPageControl), {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
  PumpPending();
  EXPECT_EQ(mainWindow_->ActivePage(), WindowPage::Pie);
  EXPECT_DOUBLE_EQ(SliceValue("QmSmall"), 4.0);
}

// Keys pressed while the scan measures reach the window: Ctrl+Tab leaves the Pie tab,
// Escape ends the run between two entries, the row under way keeping the text it had.
TEST_F(ComputeSizesWindowTest, CtrlTabAndEscapeWorkDuringARun) {
  const std::string first = AddProgram("0QmKeysFirst", 0);
  for (int i = 0; i < 40; ++i) CreateFileOrThrow(first + "\\f" + std::to_string(i), 10);
  AddProgram("QmKeysLater", 0);
  Open();
  SetForegroundWindow(mainWindow_->Handle());
  ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == mainWindow_->Handle(); }, 5000));
  const HWND button = Control(kComputeSizesButton);
  const PostedProbe probe([] {
    PressKey(VK_TAB, {VK_CONTROL});
    PressKey(VK_ESCAPE);
  });
  PostMessageA(button, BM_CLICK, 0, 0);
  probe.Post();  // handled by the scan's pump, in the first directory
  ASSERT_TRUE(PumpUntil([&] { return probe.Ran() && IsWindowVisible(button); }, 20000));

  EXPECT_EQ(mainWindow_->ActivePage(), WindowPage::Options);
  EXPECT_EQ(Row("0QmKeysFirst")->size, SizeState::NotYetComputed);
  EXPECT_EQ(Row("0QmKeysFirst")->sizeBytes, 0u);
  EXPECT_EQ(Row("QmKeysLater")->size, SizeState::NotYetComputed);
  EXPECT_FALSE(IsWindowVisible(Control(kComputeProgressBar)));
}

// A package that names no path in its command but records its InstallLocation, and a
// command stored as an expandable text, are measured like any other program.
TEST_F(ComputeSizesWindowTest, InstallLocationAndExpandableCommandsAreMeasured) {
  const std::string msi = scratch_.Path() + "\\QmMsi";
  CreateDirectoryOrThrow(msi);
  CreateFileOrThrow(msi + "\\data.bin", 5000);
  const std::string msiKey = descriptors_.Add("QmMsi", "QmMsi", "MsiExec.exe /X{7D3C0A51-0000-4000-8000-00000000001A}");
  descriptors_.SetText(msiKey, "InstallLocation", " " + msi + "\\ ");

  const std::string expand = scratch_.Path() + "\\QmExpand";
  CreateDirectoryOrThrow(expand);
  CreateFileOrThrow(expand + "\\un.exe", 100);
  CreateFileOrThrow(expand + "\\data.bin", 3000);
  ASSERT_TRUE(SetEnvironmentVariableA("ZOBL_TEST_SCRATCH", scratch_.Path().c_str()));
  const std::string expandKey = descriptors_.Add("QmExpand", "QmExpand");
  descriptors_.SetText(expandKey, "UninstallString", "%ZOBL_TEST_SCRATCH%\\QmExpand\\un.exe /S", REG_EXPAND_SZ);

  Open();
  const HWND button = Control(kComputeSizesButton);
  PostMessageA(button, BM_CLICK, 0, 0);
  PumpPending();  // the click's whole run
  ASSERT_TRUE(IsWindowVisible(button));
  SetEnvironmentVariableA("ZOBL_TEST_SCRATCH", nullptr);

  const UninstallEntry* placed = Row("QmMsi");
  const UninstallEntry* expanded = Row("QmExpand");
  ASSERT_TRUE(placed && expanded);
  EXPECT_EQ(placed->directory, msi);
  EXPECT_TRUE(placed->directoryFromInstallLocation);
  EXPECT_EQ(placed->sizeBytes, 5000u);
  EXPECT_EQ(expanded->directory, expand);
  EXPECT_EQ(expanded->command, "%ZOBL_TEST_SCRATCH%\\QmExpand\\un.exe /S");
  EXPECT_EQ(expanded->sizeBytes, 3100u);
}

}  // namespace
}  // namespace zobl::testing
