#include "inventory/long_path.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"
#include "platform/portable_locale.h"

namespace zobl::testing {
namespace {

class ResolveLongPathTest : public ::testing::Test {
 protected:
  ResolveLongPathTest() {
    fs.AddDirectory("C:\\Program Files", FakeFileSystem::kDefaultTime, "PROGRA~1");
    fs.AddDirectory("C:\\Program Files\\Acme Tools", FakeFileSystem::kDefaultTime, "ACMETO~1");
  }
  bool Resolve(std::string& path, std::size_t capacity = 260) {
    return ResolveLongPath(path, capacity, fs);
  }
  FakeFileSystem fs;
};

TEST_F(ResolveLongPathTest, ShortComponentsAndLowerCaseDriveBecomeLongForm) {
  std::string path = "c:\\progra~1\\acmeto~1";
  EXPECT_TRUE(Resolve(path));
  EXPECT_EQ(path, "C:\\Program Files\\Acme Tools");
}

TEST_F(ResolveLongPathTest, MissingPathIsLeftUnchanged) {
  std::string path = "c:\\progra~1\\gone";
  EXPECT_FALSE(Resolve(path));
  EXPECT_EQ(path, "c:\\progra~1\\gone");
}

TEST_F(ResolveLongPathTest, UnsearchableParentLeavesThePathWithItsDrive) {
  fs.DenySearch("C:\\Program Files");
  std::string path = "c:\\progra~1\\acmeto~1";
  EXPECT_FALSE(Resolve(path));
  EXPECT_EQ(path, "c:\\progra~1\\acmeto~1");
}

TEST_F(ResolveLongPathTest, ResultIsCutToTheCapacity) {
  std::string path = "c:\\progra~1\\acmeto~1";
  EXPECT_TRUE(Resolve(path, 11));
  EXPECT_EQ(path, "C:\\Program");
}

TEST_F(ResolveLongPathTest, ParentMetEarlierInThePassIsNotSearchedAgain) {
  fs.AddDirectory("C:\\Program Files\\Other", FakeFileSystem::kDefaultTime, "OTHER~1");
  KnownLongPaths known;
  std::string first = "c:\\progra~1\\acmeto~1";
  ASSERT_TRUE(ResolveLongPath(first, 260, fs, &known));
  fs.DenySearch("C:\\Program Files");  // a search of it would now fail
  std::string second = "c:\\progra~1\\other~1";
  EXPECT_TRUE(ResolveLongPath(second, 260, fs, &known));
  EXPECT_EQ(second, "C:\\Program Files\\Other");
}

}  // namespace
}  // namespace zobl::testing
