#include "reports/pie_groups.h"

#include "inventory/column_text.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace zobl {
namespace {

// Names joined on one directory are cut, so that a directory shared by many entries
// still gives a label that fits beside the pie.
constexpr std::size_t kLongestJoinedPiece = 20;

// Whether `outer` is a directory above `inner`, judged on the texts as the list shows
// them: case counts, and "C:\Apps" is not above "C:\Apps2".
bool Encloses(std::string_view outer, std::string_view inner) {
  if (outer.empty() || inner.size() <= outer.size() || !inner.starts_with(outer)) return false;
  return outer.back() == '\\' || inner[outer.size()] == '\\';
}

// The groups by directory, so that a row finds its group without walking them all:
// with one directory per program, a walk would make the refresh quadratic. No two
// groups ever share a directory: a row related to a group starts none, and a group
// takes a row's directory over only when it is the earliest group related to it.
class GroupDirectories {
 public:
  // The earliest group whose directory is `directory`, lies inside it or holds it.
  [[nodiscard]] std::optional<std::size_t> FirstRelated(std::string_view directory) {
    std::size_t first = kNone;
    const auto consider = [&](std::string_view key) {
      const auto it = groupAt_.find(key);
      if (it != groupAt_.end()) first = std::min(first, it->second);
    };
    consider(directory);
    if (!directory.empty()) {
      inside_.assign(directory);
      if (inside_.back() != '\\') inside_ += '\\';
      for (auto it = groupAt_.lower_bound(inside_); it != groupAt_.end() && it->first.starts_with(inside_); ++it) {
        first = std::min(first, it->second);
      }
    }
    // Every directory above: the text before each backslash, without and with it.
    for (std::size_t i = 0; i < directory.size(); ++i) {
      if (directory[i] != '\\') continue;
      if (i > 0) consider(directory.substr(0, i));
      if (i + 1 < directory.size()) consider(directory.substr(0, i + 1));
    }
    if (first == kNone) return std::nullopt;
    return first;
  }

  void Add(std::size_t group, const std::string& directory) { groupAt_.emplace(directory, group); }

  void Move(const std::string& from, const std::string& to) {
    auto group = groupAt_.extract(from);
    group.key() = to;
    groupAt_.insert(std::move(group));
  }

 private:
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::map<std::string, std::size_t, std::less<>> groupAt_;
  std::string inside_;  // kept, so that looking inside a directory allocates nothing
};

void JoinOnSameDirectory(std::string& label, const std::string& name) {
  std::string piece = "+" + name;
  if (piece.size() > kLongestJoinedPiece) {
    piece.resize(kLongestJoinedPiece);
    piece += "..";
  }
  label += piece;
}

}  // namespace

std::vector<PieGroup> GroupByDirectory(const InventoryList& list) {
  std::vector<PieGroup> groups;
  GroupDirectories directories;
  for (std::size_t r = 0; r < list.Count(); ++r) {
    const UninstallEntry& row = list.RowAt(r);
    if (row.SizeBytes == 0) continue;  // not measured: nothing to show
    const std::string& directory = SortText(row, kSupposedDirectoryColumn);
    const std::string& name = SortText(row, kNameColumn);
    const std::optional<std::size_t> related = directories.FirstRelated(directory);
    if (!related) {
      directories.Add(groups.size(), directory);
      groups.push_back({name, row.SizeBytes, directory});
      continue;
    }
    // Sizes are never added: a directory's size already holds those of the directories inside it.
    PieGroup& group = groups[*related];
    if (group.directory == directory) {
      JoinOnSameDirectory(group.label, name);
    } else if (Encloses(directory, group.directory)) {
      directories.Move(group.directory, directory);
      group.directory = directory;
      group.bytes = row.SizeBytes;
      group.label = name + "+" + group.label;
    } else {
      group.label += "+" + name;
    }
  }
  return groups;
}

}  // namespace zobl
