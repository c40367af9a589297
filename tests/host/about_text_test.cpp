#include "ui/about_text.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>


namespace zobl::testing {
namespace {

class FakeFiles final : public TextFileReader {
 public:
  std::optional<std::string> ReadWholeFile(const char* name) override {
    requested.push_back(name);
    const auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  std::map<std::string, std::string> files;
  std::vector<std::string> requested;
};

TEST(AboutText, EveryKindOfLineBreakBecomesCrLf) {
  struct Row {
    const char* file;
    const char* shown;
  };
  for (const Row row : {Row{"", ""}, Row{"one", "one"}, Row{"a\nb\n", "a\r\nb\r\n"}, Row{"a\r\nb", "a\r\nb"},
                        Row{"a\rb\r", "a\r\nb\r\n"}, Row{"a\n\r\nb\r\r", "a\r\n\r\nb\r\n\r\n"}}) {
    EXPECT_EQ(WithWindowsLineBreaks(row.file), row.shown);
  }
}

TEST(AboutText, ReadsReadmeFromTheWorkingDirectory) {
  FakeFiles files;
  files.files["readme.txt"] = "\xEF\xBB\xBFZOBL\n\xD0\x9F Quillmoor";  // a byte-order mark, then UTF-8
  EXPECT_EQ(LoadAboutText(files), "ZOBL\r\n\xD0\x9F Quillmoor");
  EXPECT_EQ(files.requested, std::vector<std::string>{"readme.txt"});
}

TEST(AboutText, MissingFileFailsWithTheMessageTheUserSees) {
  FakeFiles files;
  try {
    LoadAboutText(files);
    FAIL() << "no failure";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "Cannot open file readme.txt");
  }
}

}  // namespace
}  // namespace zobl::testing
