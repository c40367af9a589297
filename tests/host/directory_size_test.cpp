#include "diskusage/directory_size.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "directory_size_cases.h"
#include "fake_directory_tree.h"

namespace zobl::testing {
namespace {

constexpr const char* kRoot = "C:\\scan";

class DirectorySizeOnFakeTest : public ::testing::TestWithParam<DirectorySizeCase> {};

TEST_P(DirectorySizeOnFakeTest, CountsAndPumps) {
  const DirectorySizeCase& c = GetParam();
  FakeDirectoryTree tree;
  tree.AddDirectory(kRoot);
  for (const SizedDirectory& directory : c.directories) {
    tree.AddDirectory(ExpandScratch(directory.path, kRoot), directory.attributes);
  }
  for (const SizedFile& file : c.files) {
    const std::string path = ExpandScratch(file.path, kRoot);
    tree.AddFile(path, file.size, file.attributes | FakeDirectoryTree::kArchiveAttribute);
    if (file.locked) tree.LockFile(path);
  }
  CountingPump pump;

  EXPECT_EQ(DirectorySize(ExpandScratch(c.scanned, kRoot), tree, pump), c.total);
  EXPECT_EQ(pump.Calls(), c.pumpCalls);
  EXPECT_EQ(tree.OpenListings(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Examples,
                         DirectorySizeOnFakeTest,
                         ::testing::ValuesIn(DirectorySizeCases()),
                         [](const auto& param) { return "Case" + std::to_string(param.index); });

// The paths handed to the platform, in order: depth first, nothing trimmed or doubled
// backslashes undone.
TEST(DirectorySize, PassesPathsExactlyAsBuilt) {
  struct Row {
    const char* scanned;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {"C:\\Program Files",
       {"list C:\\Program Files\\*.*", "open C:\\Program Files\\a.txt", "list C:\\Program Files\\sub\\*.*",
        "open C:\\Program Files\\sub\\b.txt", "open C:\\Program Files\\z.txt"}},
      {"C:\\Program Files\\",
       {"list C:\\Program Files\\\\*.*", "open C:\\Program Files\\\\a.txt", "list C:\\Program Files\\\\sub\\*.*",
        "open C:\\Program Files\\\\sub\\b.txt", "open C:\\Program Files\\\\z.txt"}},
      {"c:\\PROGRAM FILES",
       {"list c:\\PROGRAM FILES\\*.*", "open c:\\PROGRAM FILES\\a.txt", "list c:\\PROGRAM FILES\\sub\\*.*",
        "open c:\\PROGRAM FILES\\sub\\b.txt", "open c:\\PROGRAM FILES\\z.txt"}},
  };
  for (const Row& row : rows) {
    FakeDirectoryTree tree;
    tree.AddDirectory("C:\\Program Files");
    tree.AddFile("C:\\Program Files\\a.txt", 1);
    tree.AddDirectory("C:\\Program Files\\sub");
    tree.AddFile("C:\\Program Files\\sub\\b.txt", 2);
    tree.AddFile("C:\\Program Files\\z.txt", 4);
    CountingPump pump;
    EXPECT_EQ(DirectorySize(row.scanned, tree, pump), 7u) << row.scanned;
    EXPECT_EQ(tree.Calls(), row.calls) << row.scanned;
  }
}

TEST(DirectorySize, AThreeDotDirectoryIsEnteredLikeAnyOther) {
  FakeDirectoryTree tree;
  tree.AddDirectory("C:\\d");
  tree.AddDirectory("C:\\d\\...");
  tree.AddFile("C:\\d\\...\\inside", 9);
  CountingPump pump;
  EXPECT_EQ(DirectorySize("C:\\d", tree, pump), 9u);
  EXPECT_EQ(pump.Calls(), 6);
}

TEST(DirectorySize, AFileWhoseSizeCannotBeReadAddsNothing) {
  FakeDirectoryTree tree;
  tree.AddDirectory("C:\\d");
  tree.AddFile("C:\\d\\odd", 100);
  tree.AddFile("C:\\d\\fine", 5);
  tree.FailSizeQuery("C:\\d\\odd");
  CountingPump pump;
  EXPECT_EQ(DirectorySize("C:\\d", tree, pump), 5u);
}

// Pumps come in this order: ". .. a.txt sub [. .. b c] d.txt"; a stop at call k keeps
// only the files whose pump came before it, and nothing is asked after it.
TEST(DirectorySize, StopsAtOnceWhenThePumpSaysTheWindowIsClosing) {
  struct Row {
    int stopAt;
    std::uint64_t total;
    std::size_t calls;  // listings begun and files opened
  };
  const Row rows[] = {
      {1, 0, 1}, {3, 0, 1}, {4, 1, 2}, {5, 1, 3}, {8, 3, 4}, {9, 7, 5}, {10, 15, 6}, {0, 15, 6},
  };
  for (const Row& row : rows) {
    FakeDirectoryTree tree;
    tree.AddDirectory("C:\\d");
    tree.AddFile("C:\\d\\a.txt", 1);
    tree.AddDirectory("C:\\d\\sub");
    tree.AddFile("C:\\d\\sub\\b", 2);
    tree.AddFile("C:\\d\\sub\\c", 4);
    tree.AddFile("C:\\d\\d.txt", 8);
    CountingPump pump(row.stopAt);
    EXPECT_EQ(DirectorySize("C:\\d", tree, pump), row.total) << "stop at " << row.stopAt;
    EXPECT_EQ(pump.Calls(), row.stopAt == 0 || row.stopAt > 9 ? 9 : row.stopAt);
    EXPECT_EQ(tree.Calls().size(), row.calls) << "stop at " << row.stopAt;
    EXPECT_EQ(tree.OpenListings(), 0u);
  }
}

// The buffer holds the longest extended-length path in UTF-8 (98,301 bytes) and the
// terminating zero; far beyond the ordinary 259 characters.
TEST(DirectorySize, PathsLongerThanThePlatformAllows) {
  const std::string deep = "C:\\d\\" + std::string(98292, 'n');  // 98,297 bytes
  FakeDirectoryTree tree;
  tree.AddDirectory("C:\\d");
  tree.AddDirectory(deep);
  tree.AddFile(deep + "\\fit", 1);      // 98,301: opened
  tree.AddFile(deep + "\\toolong", 2);  // 98,305: cannot be opened, counts as listed
  tree.AddDirectory(deep + "\\sub");    // its pattern would take 98,305: not listed
  tree.AddFile(deep + "\\sub\\x", 4);
  CountingPump pump;

  EXPECT_EQ(DirectorySize("C:\\d", tree, pump), 3u);
  EXPECT_EQ(std::count(tree.Calls().begin(), tree.Calls().end(), "open " + deep + "\\fit"), 1);
  for (const std::string& call : tree.Calls()) {
    EXPECT_EQ(call.find("toolong"), std::string::npos) << call;
    EXPECT_EQ(call.find("\\sub"), std::string::npos) << call;
  }

  CountingPump unused;
  EXPECT_EQ(DirectorySize(deep + "\\toolong", tree, unused), 0u);
  EXPECT_EQ(unused.Calls(), 0);
}

// Stops a walk that went round a cycle long before it could exhaust the machine.
constexpr int kPumpBudget = 1000;

struct LinkCase {
  const char* title;
  std::vector<const char*> directories;
  std::vector<SizedFile> files;
  std::vector<std::pair<const char*, const char*>> links;  // path, target
  std::vector<const char*> unresolvable;
  const char* scanned;
  std::uint64_t total;
};

// Every tree holds C:\r\f (1 byte), C:\r\a\g (2) and C:\out\o (4).
const LinkCase kLinkCases[] = {
    {"a link to the scanned directory", {}, {}, {{"C:\\r\\self", "C:\\r"}}, {}, "C:\\r", 3},
    {"a link to the parent", {}, {}, {{"C:\\r\\a\\up", "C:\\r"}}, {}, "C:\\r", 3},
    {"a link above the scanned directory", {}, {}, {{"C:\\r\\a\\top", "C:\\"}}, {}, "C:\\r\\a", 2},
    {"a link spelt differently still resolves", {}, {}, {{"C:\\r\\a\\up", "c:\\\\R\\"}}, {}, "C:\\r", 3},
    {"a link elsewhere is entered", {}, {}, {{"C:\\r\\a\\ext", "C:\\out"}}, {}, "C:\\r", 7},
    {"a link below is entered: its files count twice", {}, {}, {{"C:\\r\\down", "C:\\r\\a"}}, {}, "C:\\r", 5},
    {"the scanned directory reached through a link",
     {},
     {},
     {{"C:\\r\\a\\up", "C:\\r"}, {"C:\\way", "C:\\r"}},
     {},
     "C:\\way",
     3},
    {"two links leading into each other",
     {"C:\\r\\p", "C:\\r\\p\\q", "C:\\r\\s"},
     {{"C:\\r\\p\\q\\8", 8}, {"C:\\r\\s\\16", 16}},
     {{"C:\\r\\p\\q\\go", "C:\\r\\s"}, {"C:\\r\\s\\back", "C:\\r\\p\\q"}},
     {},
     "C:\\r",
     3 + 2 * (8 + 16)},
    {"a chain of links back to the start",
     {},
     {},
     {{"C:\\r\\a\\one", "C:\\out"}, {"C:\\out\\two", "C:\\r\\a"}},
     {},
     "C:\\r",
     7},
    {"a link that leads nowhere", {}, {}, {{"C:\\r\\gone", "C:\\nowhere"}}, {}, "C:\\r", 3},
    {"a link that cannot be resolved", {}, {}, {{"C:\\r\\ext", "C:\\out"}}, {"C:\\r\\ext"}, "C:\\r", 3},
    {"links are not entered when the scanned directory cannot be resolved",
     {},
     {},
     {{"C:\\r\\ext", "C:\\out"}},
     {"C:\\r"},
     "C:\\r",
     3},
};

class LinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkTest, EndsAndCountsEachWalkedFile) {
  const LinkCase& c = GetParam();
  FakeDirectoryTree tree;
  tree.AddDirectory("C:\\r");
  tree.AddDirectory("C:\\r\\a");
  tree.AddDirectory("C:\\out");
  tree.AddFile("C:\\r\\f", 1);
  tree.AddFile("C:\\r\\a\\g", 2);
  tree.AddFile("C:\\out\\o", 4);
  for (const char* directory : c.directories) tree.AddDirectory(directory);
  for (const SizedFile& file : c.files) tree.AddFile(file.path, file.size);
  for (const auto& [path, target] : c.links) tree.AddLink(path, target);
  for (const char* path : c.unresolvable) tree.FailFinalPath(path);
  CountingPump pump(kPumpBudget);

  EXPECT_EQ(DirectorySize(c.scanned, tree, pump), c.total);
  EXPECT_EQ(tree.OpenListings(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkTest, ::testing::ValuesIn(kLinkCases), [](const auto& param) {
  return "Case" + std::to_string(param.index);
});

TEST(DirectorySize, LinksCostNothingWhereThereAreNone) {
  FakeDirectoryTree tree;
  tree.AddDirectory("C:\\r");
  tree.AddDirectory("C:\\r\\a");
  tree.AddFile("C:\\r\\a\\g", 2);
  CountingPump pump;
  EXPECT_EQ(DirectorySize("C:\\r", tree, pump), 2u);
  for (const std::string& call : tree.Calls()) EXPECT_FALSE(call.starts_with("final")) << call;
}

// Two links back up in each of 50 levels: entered, they would make the walk exponential
// even within the platform's path length.
TEST(DirectorySize, ManyLinksToAncestorsEndQuickly) {
  FakeDirectoryTree tree;
  std::string path = "C:\\r";
  tree.AddDirectory(path);
  for (int level = 0; level < 50; ++level) {
    tree.AddLink(path + "\\u", path);
    tree.AddLink(path + "\\v", "C:\\r");
    tree.AddFile(path + "\\f", 1);
    path += "\\d";
    tree.AddDirectory(path);
  }
  CountingPump pump(kPumpBudget);
  EXPECT_EQ(DirectorySize("C:\\r", tree, pump), 50u);
  EXPECT_EQ(pump.Calls(), 50 * 6 + 2);  // ". .. u v f d" per level, then the last ". .."
}

}  // namespace
}  // namespace zobl::testing
