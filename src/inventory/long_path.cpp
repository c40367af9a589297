#include "inventory/long_path.h"

#include <string_view>
#include <vector>

#include "platform/capacities.h"
#include "platform/path_rules.h"
#include "platform/utf8.h"

namespace zobl {

bool ResolveLongPath(std::string& path,
                     std::size_t capacity,
                     FileSystem& fileSystem,
                     KnownLongPaths* knownParents,
                     std::optional<std::uint64_t>* creationTime) {
  std::string result;
  std::string current = path.substr(0, kPathCapacity);
  std::vector<std::string> searchedParents;  // nearest first
  // Climb from the path to its drive, one component per pass, collecting long names.
  for (;;) {
    const auto entry = fileSystem.FindEntry(current.c_str());
    // A parent that cannot be searched leaves the whole path as it was; a partial
    // result would lose its drive.
    if (!entry) return false;
    if (creationTime != nullptr && result.empty()) *creationTime = entry->creationTime;
    result = result.empty() ? entry->longName : entry->longName + '\\' + result;

    const auto full = fileSystem.GetFullPath(current.c_str());
    if (!full || full->lastComponent == 0) return false;
    std::string parent = full->path.substr(0, full->lastComponent - 1);
    // Each pass must climb, or a strange answer could keep the loop going.
    if (parent.size() >= current.size()) return false;
    current = std::move(parent);
    if (current.size() <= 2) {
      result = current + '\\' + result;
      break;
    }
    if (knownParents != nullptr) {
      if (const auto known = knownParents->find(current); known != knownParents->end()) {
        result = known->second + '\\' + result;
        break;
      }
      searchedParents.push_back(current);
    }
  }
  // Each parent's long form is the result without the components below it.
  std::string_view longForm = result;
  for (const std::string& parent : searchedParents) {
    longForm = longForm.substr(0, longForm.rfind('\\'));
    knownParents->emplace(parent, longForm);
  }
  if (capacity == 0) return false;
  path = result.substr(0, Utf8FitLength(result, capacity));
  if (!path.empty()) path[0] = UpperAscii(path[0]);  // the drive letter
  return true;
}

}  // namespace zobl
