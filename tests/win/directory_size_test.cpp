#include "diskusage/directory_size.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "directory_size_cases.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_message_pump.h"
#include "scratch_directory.h"

namespace zobl::testing {
namespace {

using win32::ScopedFileHandle;

class DirectorySizeOnDiskTest : public ::testing::TestWithParam<DirectorySizeCase> {};

TEST_P(DirectorySizeOnDiskTest, CountsAndPumps) {
  const DirectorySizeCase& c = GetParam();
  const ScratchDirectory scratch("size");
  const std::string& root = scratch.Path();
  for (const SizedDirectory& directory : c.directories) {
    const std::string path = ExpandScratch(directory.path, root);
    CreateDirectoryOrThrow(path);
    if (directory.attributes != 0) {
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), directory.attributes)) << path;
    }
  }
  std::vector<ScopedFileHandle> held;
  for (const SizedFile& file : c.files) {
    const std::string path = ExpandScratch(file.path, root);
    CreateFileOrThrow(path, file.size);
    if (file.attributes != 0) {
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), file.attributes)) << path;
    }
    if (file.locked) {
      held.emplace_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held.back().IsValid()) << path;
    }
  }
  win32::Win32DirectoryListing listing;
  CountingPump pump;

  EXPECT_EQ(DirectorySize(ExpandScratch(c.scanned, root), listing, pump), c.total);
  EXPECT_EQ(pump.Calls(), c.pumpCalls);
}

INSTANTIATE_TEST_SUITE_P(Examples,
                         DirectorySizeOnDiskTest,
                         ::testing::ValuesIn(DirectorySizeCases()),
                         [](const auto& param) { return "Case" + std::to_string(param.index); });

// The order of a real listing is the file system's own: a stop at call k keeps exactly
// k - 3 of the three files, whichever they are (". .." come first).
TEST(DirectorySizeOnDisk, StopsWhenThePumpSaysTheWindowIsClosing) {
  const ScratchDirectory scratch("stop");
  CreateFileOrThrow(scratch.Path() + "\\one", 1);
  CreateFileOrThrow(scratch.Path() + "\\two", 2);
  CreateFileOrThrow(scratch.Path() + "\\four", 4);
  win32::Win32DirectoryListing listing;
  for (int stopAt = 1; stopAt <= 5; ++stopAt) {
    CountingPump pump(stopAt);
    const std::uint64_t total = DirectorySize(scratch.Path(), listing, pump);
    EXPECT_EQ(std::popcount(total), std::max(0, stopAt - 3)) << "stop at " << stopAt << ", total " << total;
    EXPECT_EQ(pump.Calls(), stopAt);
  }
}

TEST(DirectorySizeOnDisk, FinalPathOfAPlainDirectoryIsItsCanonicalSpelling) {
  const ScratchDirectory scratch("final");
  CreateDirectoryOrThrow(scratch.Path() + "\\Mixed");
  std::string upper = scratch.Path() + "\\MIXED";
  CharUpperA(upper.data());
  win32::Win32DirectoryListing listing;
  EXPECT_EQ(listing.FinalPath(upper.c_str()), "\\\\?\\" + scratch.Path() + "\\Mixed");
  EXPECT_EQ(listing.FinalPath((scratch.Path() + "\\absent").c_str()), std::nullopt);
}

int ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

// What the real program relies on: its timer runs in the middle of a scan, and a
// closing window ends the scan while the main loop still gets to see WM_QUIT.
TEST(MessagePump, RunsTimersAndStopsAtQuit) {
  const ScratchDirectory scratch("pump");
  CreateFileOrThrow(scratch.Path() + "\\a", 3);
  win32::Win32DirectoryListing listing;
  win32::Win32MessagePump pump;

  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, CountTick);
  ASSERT_NE(timer, 0u);
  // Due before the scan starts: the scan's pump must hand it over.
  ASSERT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_TIMER), WAIT_OBJECT_0);
  EXPECT_EQ(DirectorySize(scratch.Path(), listing, pump), 3u);
  KillTimer(nullptr, timer);
  EXPECT_GE(ticks, 1);

  PostQuitMessage(7);
  EXPECT_EQ(DirectorySize(scratch.Path(), listing, pump), 0u);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace zobl::testing
