#include "diskusage/directory_size.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/capacities.h"
#include "platform/path_rules.h"

namespace zobl {
namespace {

constexpr std::string_view kPatternSuffix = "\\*.*";

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// One call's walk. The child path of every entry is built in one fixed buffer that grows
// and shrinks with the walk, so entries cost no allocation.
class Scan {
 public:
  Scan(DirectoryListing& listing, MessagePump& pump) : listing_(listing), pump_(pump) {}

  std::uint64_t Run(std::string_view path) {
    if (!Append(path)) return 0;
    rootLength_ = length_;
    return MeasureDirectory();
  }

 private:
  // A run of plain subdirectories below the scanned directory or below the target of an
  // entered link: path_[0, start) walks to its top, which is `resolved` on disk.
  struct Stretch {
    std::size_t start;
    std::string resolved;
  };

  // Measures the directory whose path the buffer holds.
  std::uint64_t MeasureDirectory() {
    const std::size_t length = length_;
    if (!Append(kPatternSuffix)) return 0;
    ListingHandle handle;
    ListedEntry entry;
    const bool listed = listing_.Begin(path_, handle, entry);
    Truncate(length);
    if (!listed) return 0;
    const ScopedListing scoped(listing_, handle);

    std::uint64_t total = 0;
    do {
      if (!pump_.Pump()) {
        stopped_ = true;
        return total;
      }
      const bool isDirectory = (entry.attributes & kDirectoryAttribute) != 0;
      if (isDirectory && IsDotOrDotDot(entry.name)) continue;
      const bool fits = Append("\\") && Append(entry.name);
      if (!isDirectory) {
        total += MeasureFile(entry, fits);
      } else if (fits) {
        total += (entry.attributes & kReparsePointAttribute) != 0 ? MeasureLink(length) : MeasureDirectory();
      }
      Truncate(length);
      if (stopped_) return total;
    } while (listing_.Next(handle, entry));
    return total;
  }

  // A file whose path does not fit the buffer cannot be opened either; the listing has
  // still seen it, and a file held elsewhere is no smaller for it.
  std::uint64_t MeasureFile(const ListedEntry& entry, bool pathFits) {
    if (!pathFits) return entry.listedSize;
    const std::optional<std::uint64_t> size = listing_.OpenedFileSize(path_);
    return size ? *size : entry.listedSize;
  }

  // The buffer holds the link's path; `parentLength` is that of the directory holding it.
  // A link whose target is, or lies above, any directory the walk stands in would lead
  // the walk back into itself, so it is not entered. Nor is one whose target cannot be
  // told: it might do the same.
  std::uint64_t MeasureLink(std::size_t parentLength) {
    if (stretches_.empty() && !ResolveRoot()) return 0;
    std::optional<std::string> target = listing_.FinalPath(path_);
    if (!target) return 0;
    std::string parent = Resolved(parentLength);
    if (IsSameOrAboveIgnoringAsciiCase(*target, parent)) return 0;
    for (const std::string& end : stretchEnds_) {
      if (IsSameOrAboveIgnoringAsciiCase(*target, end)) return 0;
    }
    stretchEnds_.push_back(std::move(parent));
    stretches_.push_back(Stretch{length_, std::move(*target)});
    const std::uint64_t total = MeasureDirectory();
    stretches_.pop_back();
    stretchEnds_.pop_back();
    return total;
  }

  // Resolving the scanned directory waits for the first link: most walks meet none.
  bool ResolveRoot() {
    if (rootUnresolved_) return false;
    const std::string root(path_, rootLength_);
    std::optional<std::string> resolved = listing_.FinalPath(root.c_str());
    if (!resolved) {
      rootUnresolved_ = true;
      return false;
    }
    stretches_.push_back(Stretch{rootLength_, std::move(*resolved)});
    return true;
  }

  // The resolved form of the walked directory path_[0, length).
  std::string Resolved(std::size_t length) const {
    const Stretch& stretch = stretches_.back();
    std::string_view below(path_ + stretch.start, length - stretch.start);
    // A drive's root resolves with its backslash; a scanned path may end in one too.
    if (!stretch.resolved.empty() && stretch.resolved.back() == '\\') {
      while (!below.empty() && below.front() == '\\') below.remove_prefix(1);
    }
    std::string resolved = stretch.resolved;
    resolved += below;
    return resolved;
  }

  bool Append(std::string_view text) {
    if (text.size() >= buffer_.size() - length_) return false;
    std::memcpy(path_ + length_, text.data(), text.size());
    length_ += text.size();
    path_[length_] = '\0';
    return true;
  }

  void Truncate(std::size_t length) {
    length_ = length;
    path_[length_] = '\0';
  }

  DirectoryListing& listing_;
  MessagePump& pump_;
  // On the heap, once per walk: it holds the deepest path the system can name.
  std::vector<char> buffer_ = std::vector<char>(kLongPathCapacity);
  char* path_ = buffer_.data();
  std::size_t length_ = 0;
  std::size_t rootLength_ = 0;
  bool stopped_ = false;
  bool rootUnresolved_ = false;
  std::vector<Stretch> stretches_;
  std::vector<std::string> stretchEnds_;  // resolved parents of the links entered
};

}  // namespace

std::uint64_t DirectorySize(std::string_view path, DirectoryListing& listing, MessagePump& pump) {
  return Scan(listing, pump).Run(path);
}

}  // namespace zobl
