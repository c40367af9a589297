#include "reports/pie_groups.h"

#include "inventory/column_text.h"
#include "platform/utf8.h"
#include "platform/path_rules.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace zobl {
namespace {

// Names joined on one directory are cut, so that a directory shared by many entries
// still gives a label that fits beside the pie.
constexpr std::size_t kLongestJoinedPiece = 20;

// The groups by directory, so that a row finds its group without walking them all:
// with one directory per program, a walk would make the refresh quadratic. No two
// groups ever share a directory: a row related to a group starts none, and a group
// takes a row's directory over only when it is the earliest group related to it.
class GroupDirectories {
 public:
  // The earliest group whose directory is `directory`, lies inside it or holds it, as
  // IsAbove judges.
  [[nodiscard]] std::optional<std::size_t> FirstRelated(std::string_view directory) {
    std::size_t first = kNone;
    const auto consider = [&](std::string_view key) {
      const auto it = groupAt_.find(key);
      if (it != groupAt_.end()) first = std::min(first, it->second);
    };
    consider(directory);
    ForEachInside(directory, [&first](std::size_t group) { first = std::min(first, group); });
    // Every directory above: the text before each backslash, without and with it.
    for (std::size_t i = 0; i < directory.size(); ++i) {
      if (directory[i] != '\\') continue;
      if (i > 0) consider(directory.substr(0, i));
      if (i + 1 < directory.size()) consider(directory.substr(0, i + 1));
    }
    if (first == kNone) return std::nullopt;
    return first;
  }

  // Every group whose directory lies inside `directory`, earliest first.
  [[nodiscard]] std::vector<std::size_t> Inside(std::string_view directory) {
    std::vector<std::size_t> found;
    ForEachInside(directory, [&found](std::size_t group) { found.push_back(group); });
    std::sort(found.begin(), found.end());
    return found;
  }

  void Add(std::size_t group, const std::string& directory) { groupAt_.emplace(directory, group); }
  void Remove(const std::string& directory) { groupAt_.erase(directory); }

 private:
  // Calls `visit` with each group whose directory lies inside `directory`.
  template <typename Visit>
  void ForEachInside(std::string_view directory, Visit visit) {
    if (directory.empty()) return;
    inside_.assign(directory);
    if (inside_.back() != '\\') inside_ += '\\';
    for (auto it = groupAt_.lower_bound(inside_); it != groupAt_.end() && it->first.starts_with(inside_); ++it) {
      visit(it->second);
    }
  }

  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::map<std::string, std::size_t, std::less<>> groupAt_;
  std::string inside_;  // kept, so that looking inside a directory allocates nothing
};

void JoinOnSameDirectory(std::string& label, const std::string& name) {
  std::string piece = "+" + name;
  if (piece.size() > kLongestJoinedPiece) {
    piece.resize(Utf8FitLength(piece, kLongestJoinedPiece + 1));  // never inside a character
    piece += "..";
  }
  label += piece;
}

}  // namespace

std::vector<PieGroup> GroupByDirectory(const InventoryList& list) {
  std::vector<PieGroup> groups;
  std::vector<bool> absorbed;  // groups taken into an earlier one, left out at the end
  GroupDirectories directories;
  for (std::size_t r = 0; r < list.Count(); ++r) {
    const UninstallEntry& row = list.RowAt(r);
    if (row.sizeBytes == 0) continue;  // not measured: nothing to show
    const std::string& directory = SortText(row, kSupposedDirectoryColumn);
    const std::string& name = SortText(row, kNameColumn);
    const std::optional<std::size_t> related = directories.FirstRelated(directory);
    if (!related) {
      directories.Add(groups.size(), directory);
      groups.push_back({name, row.sizeBytes, directory});
      absorbed.push_back(false);
      continue;
    }
    // Sizes are never added: a directory's size already holds those of the directories inside it.
    PieGroup& group = groups[*related];
    if (group.directory == directory) {
      JoinOnSameDirectory(group.label, name);
    } else if (IsAbove(directory, group.directory)) {
      // The row's directory holds every group inside it: they become one, at the place
      // of the earliest, so that no byte is in two slices.
      std::string label = name;
      for (const std::size_t inside : directories.Inside(directory)) {
        label += "+" + groups[inside].label;
        directories.Remove(groups[inside].directory);
        absorbed[inside] = inside != *related;
      }
      group.label = std::move(label);
      group.directory = directory;
      group.bytes = row.sizeBytes;
      directories.Add(*related, directory);
    } else {
      group.label += "+" + name;
    }
  }
  std::vector<PieGroup> kept;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!absorbed[g]) kept.push_back(std::move(groups[g]));
  }
  return kept;
}

}  // namespace zobl
