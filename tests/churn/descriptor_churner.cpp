// Adds and removes uninstall descriptors without pause in all three sources, as many
// setup programs at once would, until its stop event is set or its parent ends.
//   zobl_descriptor_churner.exe TREES TREE_COUNT STOP_EVENT PARENT_PID
//   zobl_descriptor_churner.exe --sweep      removes every churn descriptor and ends
// Each descriptor gets a name never used before, so a key that goes stays gone. Commands
// name TREES\treeN\un.exe, sometimes through %ZOBL_CHURN_TREES% as an expandable text.
// The descriptors alive at the stop stay, for the caller to compare with its list. At
// the end it prints "added=A removed=R taken=T failed=F alive=L": T of the keys it meant
// to remove had already been removed by someone else; F could be neither made nor removed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "churn_keys.h"
#include "platform/win32/scoped_handles.h"

namespace {

using zobl::RegistrySource;
using zobl::churn::DescriptorValues;
using zobl::testing::DescriptorKeys;

constexpr std::size_t kFewest = 8;
constexpr std::size_t kMost = 60;
constexpr DWORD kPauseMilliseconds = 2;

struct Descriptor {
  RegistrySource source;
  std::string keyName;
};

// The shapes a setup program leaves behind, by turns.
DescriptorValues ShapeOf(unsigned serial, const std::string& trees, int treeCount) {
  char number[16];
  std::snprintf(number, sizeof number, "%06u", serial);
  const std::string tree = "tree" + std::to_string(serial % static_cast<unsigned>(treeCount));
  DescriptorValues values;
  values.displayName = std::string("Churn Program ") + number;
  switch (serial % 6) {
    case 0: values.command = "\"" + trees + "\\" + tree + "\\un.exe\" /S"; break;
    case 1:
      values.command = "%ZOBL_CHURN_TREES%\\" + tree + "\\un.exe /uninstall";
      values.expandable = true;
      break;
    case 2:
      values.command = trees + "\\" + tree + "\\un.exe";
      values.withSubkey = true;
      break;
    case 3: values.command = "C:\\ZoblChurnNowhere\\" + tree + "\\un.exe"; break;
    case 4: break;  // no command
    default:
      values.displayName.clear();  // an internal component: listed only with nameless lines
      values.command = trees + "\\" + tree + "\\un.exe";
      break;
  }
  return values;
}

int Sweep() {
  std::printf("swept=%d\n", zobl::churn::SweepChurnKeys());
  return 0;
}

int Churn(const std::string& trees, int treeCount, const char* stopEventName, DWORD parentId) {
  const zobl::win32::ScopedKernelHandle stop(OpenEventA(SYNCHRONIZE, FALSE, stopEventName));
  const zobl::win32::ScopedKernelHandle parent(OpenProcess(SYNCHRONIZE, FALSE, parentId));
  if (!stop.IsValid() || !parent.IsValid()) {
    std::fprintf(stderr, "zobl_descriptor_churner: no stop event %s or parent %lu\n", stopEventName, parentId);
    return 2;
  }
  std::optional<DescriptorKeys> keys;
  try {
    keys.emplace(DescriptorKeys::AtEnd::Keep);  // the caller compares those alive at the stop with its list
  } catch (const std::runtime_error&) {
    std::fprintf(stderr, "zobl_descriptor_churner: cannot open the Uninstall keys\n");
    return 2;
  }
  std::minstd_rand random(GetCurrentProcessId());
  std::vector<Descriptor> alive;
  unsigned serial = 0;
  long added = 0, removed = 0, taken = 0, failed = 0;
  const HANDLE ends[] = {stop.Get(), parent.Get()};
  do {
    if (alive.size() < kFewest || (alive.size() < kMost && random() % 2 == 0)) {
      const auto source = static_cast<RegistrySource>(random() % 3);
      char name[32];
      std::snprintf(name, sizeof name, "%s%s-%06u", zobl::churn::kChurnPrefix, zobl::churn::SourceTag(source),
                    ++serial);
      if (zobl::churn::WriteDescriptor(*keys, source, name, ShapeOf(serial, trees, treeCount))) {
        alive.push_back({source, name});
        ++added;
      } else {
        ++failed;
      }
    } else {
      const std::size_t pick = random() % alive.size();
      const Descriptor gone = alive[pick];
      alive[pick] = alive.back();
      alive.pop_back();
      const LSTATUS status = keys->Delete(gone.source, gone.keyName);
      if (status == ERROR_SUCCESS) {
        ++removed;
      } else if (status == ERROR_FILE_NOT_FOUND) {
        ++taken;
      } else {
        ++failed;
      }
    }
  } while (WaitForMultipleObjects(2, ends, FALSE, kPauseMilliseconds) == WAIT_TIMEOUT);
  std::printf("added=%ld removed=%ld taken=%ld failed=%ld alive=%zu\n", added, removed, taken, failed, alive.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--sweep") return Sweep();
  if (argc != 5 || std::atoi(argv[2]) <= 0) {
    std::fprintf(stderr, "usage: zobl_descriptor_churner TREES TREE_COUNT STOP_EVENT PARENT_PID | --sweep\n");
    return 2;
  }
  return Churn(argv[1], std::atoi(argv[2]), argv[3], static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
}
