#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/message_pump.h"
#include "scratch_text.h"

namespace zobl::testing {

inline constexpr std::uint32_t kReadOnlyAttribute = 0x1;
inline constexpr std::uint32_t kHiddenAttribute = 0x2;
inline constexpr std::uint32_t kSystemAttribute = 0x4;
inline constexpr std::uint64_t kGiB = 1ull << 30;

// Directory-size cases shared by the host tests (fake tree) and the Windows tests (real
// files, sizes made sparse). "@" stands for the test's scratch directory; the pump calls
// count the "." and ".." entries that every directory below a drive's root lists.
struct SizedDirectory {
  const char* path;
  std::uint32_t attributes = 0;
};

struct SizedFile {
  const char* path;
  std::uint64_t size;
  std::uint32_t attributes = 0;
  bool locked = false;  // held open without read sharing while the scan runs
};

struct DirectorySizeCase {
  const char* title;
  std::vector<SizedDirectory> directories;  // created in this order
  std::vector<SizedFile> files;
  const char* scanned;
  std::uint64_t total;
  int pumpCalls;
};

// Seventy characters; four of them nest a file beyond 280 characters.
#define ZOBL_SEGMENT "directory-segment-of-seventy-characters-0123456789-0123456789-01234567"

inline const std::vector<DirectorySizeCase>& DirectorySizeCases() {
  // clang-format off
  static const std::vector<DirectorySizeCase> cases = {
      {"a directory that does not exist", {}, {}, "@\\missing", 0, 0},
      {"a path that names a file", {}, {{"@\\a.txt", 5}}, "@\\a.txt", 0, 0},
      {"an empty directory still lists . and ..", {}, {}, "@", 0, 2},
      {"the sum does not wrap at 32 bits",
       {{"@\\sub"}},
       {{"@\\a.txt", 5}, {"@\\sub\\big.bin", 3 * kGiB}},
       "@", 3'221'225'477, 7},
      {"a file of 4,294,967,295 bytes counts in full",
       {},
       {{"@\\edge.bin", 4'294'967'295}},
       "@", 4'294'967'295, 3},
      {"hidden, system and read-only entries count alike",
       {{"@\\sys", kHiddenAttribute | kSystemAttribute}},
       {{"@\\h.dat", 7, kHiddenAttribute},
        {"@\\ro.dat", 13, kReadOnlyAttribute},
        {"@\\sys\\s.dat", 11, kSystemAttribute | kHiddenAttribute}},
       "@", 31, 8},
      {"names that begin with a full stop are ordinary entries",
       {{"@\\.config"}, {"@\\..store"}},
       {{"@\\..data", 17}, {"@\\.config\\.x", 19}, {"@\\..store\\y", 23}},
       "@", 59, 11},
      {"a trailing backslash is kept and still reaches every file",
       {{"@\\sub"}},
       {{"@\\a.txt", 5}, {"@\\sub\\b.txt", 6}},
       "@\\", 11, 7},
      {"every level of a deeper tree",
       {{"@\\a"}, {"@\\a\\b"}, {"@\\a\\b\\c"}, {"@\\d"}, {"@\\empty"}},
       {{"@\\1", 1}, {"@\\a\\2", 2}, {"@\\a\\b\\4", 4},
        {"@\\a\\b\\c\\8", 8}, {"@\\a\\b\\c\\0", 0}, {"@\\d\\16", 16}},
       "@", 31, 23},
      // Names the ordinary path rules would alter are reached as they are.
      {"subdirectories named \"...\" or ending in a dot or a blank are entered",
       {{"@\\..."}, {"@\\dot."}, {"@\\blank "}},
       {{"@\\...\\x", 3}, {"@\\dot.\\y", 5}, {"@\\blank \\z", 7}},
       "@", 15, 14},
      {"a file deeper than 260 characters counts",
       {{"@\\" ZOBL_SEGMENT}, {"@\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT}, {"@\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT},
        {"@\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT}},
       {{"@\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\" ZOBL_SEGMENT "\\deep.bin", 29}},
       "@", 29, 15},
      {"a file held without read sharing counts the size its listing gives",
       {},
       {{"@\\held.log", 1000, 0, true}, {"@\\free.log", 24}},
       "@", 1024, 4},
  };
  // clang-format on
  return cases;
}
#undef ZOBL_SEGMENT

inline void PrintTo(const DirectorySizeCase& c, std::ostream* out) { *out << c.title; }


// Counts its calls and reports the window closing at call number `stopAt` (0: never).
class CountingPump final : public MessagePump {
 public:
  explicit CountingPump(int stopAt = 0) : stopAt_(stopAt) {}
  bool Pump() override { return ++calls_ != stopAt_; }
  [[nodiscard]] int Calls() const { return calls_; }

 private:
  int stopAt_;
  int calls_ = 0;
};

}  // namespace zobl::testing
