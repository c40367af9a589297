#include "fake_directory_tree.h"

#include <algorithm>
#include <stdexcept>

namespace zobl::testing {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The path's components, without a "\\?\" prefix and without empty ones.
std::vector<std::string> Components(std::string path) {
  if (path.starts_with("\\\\?\\")) path.erase(0, 4);
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) components.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return components;
}

bool IsDrive(const std::string& component) { return component.size() == 2 && component[1] == ':'; }

std::string NormalKey(const std::string& path) {
  std::string key;
  for (const std::string& component : Components(path)) key += (key.empty() ? "" : "\\") + Upper(component);
  return key;
}

}  // namespace

void FakeDirectoryTree::Add(const std::string& path, Node node) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) throw std::invalid_argument("not a drive path: " + path);
  const std::string parentKey = NormalKey(path.substr(0, slash));
  if (IsDrive(parentKey) && !nodes_.contains(parentKey)) {
    nodes_[parentKey] = DirectoryNode(parentKey);
  }
  const auto parent = nodes_.find(parentKey);
  if (parent == nodes_.end() || !parent->second.isDirectory || !parent->second.linkTarget.empty()) {
    throw std::invalid_argument("no parent directory: " + path);
  }
  const std::string key = parentKey + "\\" + Upper(path.substr(slash + 1));
  if (nodes_.contains(key)) throw std::invalid_argument("added twice: " + path);
  node.path = path;
  node.name = path.substr(slash + 1);
  parent->second.children.push_back(key);
  nodes_[key] = std::move(node);
}

FakeDirectoryTree::Node FakeDirectoryTree::DirectoryNode(std::string name, std::uint32_t attributes) {
  Node node;
  node.name = std::move(name);
  node.isDirectory = true;
  node.attributes = attributes | kDirectoryAttribute;
  return node;
}

void FakeDirectoryTree::AddDirectory(const std::string& path, std::uint32_t attributes) {
  Add(path, DirectoryNode({}, attributes));
}

void FakeDirectoryTree::AddFile(const std::string& path, std::uint64_t size, std::uint32_t attributes) {
  Node node;
  node.attributes = attributes & ~kDirectoryAttribute;
  node.size = size;
  Add(path, std::move(node));
}

void FakeDirectoryTree::AddLink(const std::string& path, const std::string& target) {
  Node node = DirectoryNode({}, kReparsePointAttribute);
  node.linkTarget = target;
  Add(path, std::move(node));
}

FakeDirectoryTree::Node& FakeDirectoryTree::At(const std::string& path) {
  const auto node = nodes_.find(NormalKey(path));
  if (node == nodes_.end()) throw std::invalid_argument("no such entry: " + path);
  return node->second;
}

void FakeDirectoryTree::LockFile(const std::string& path) { At(path).locked = true; }
void FakeDirectoryTree::FailSizeQuery(const std::string& path) { At(path).sizeQueryFails = true; }
void FakeDirectoryTree::FailFinalPath(const std::string& path) { finalPathFailures_.insert(NormalKey(path)); }

const FakeDirectoryTree::Node* FakeDirectoryTree::Find(const std::string& key) const {
  const auto node = nodes_.find(key);
  return node == nodes_.end() ? nullptr : &node->second;
}

std::string FakeDirectoryTree::Resolve(const std::string& path, int linksLeft) const {
  const std::vector<std::string> components = Components(path);
  if (components.empty() || !IsDrive(components.front())) return {};
  std::string key = Upper(components.front());
  for (std::size_t i = 1; i < components.size(); ++i) {
    const Node* node = Find(key + "\\" + Upper(components[i]));
    if (node == nullptr) return {};
    if (node->linkTarget.empty()) {
      key += "\\" + Upper(components[i]);
    } else {
      if (linksLeft == 0) return {};
      key = Resolve(node->linkTarget, linksLeft - 1);
      if (key.empty()) return {};
    }
  }
  return key;
}

void FakeDirectoryTree::Describe(const Node& node, ListedEntry& entry) {
  entry.name = node.name.c_str();
  entry.attributes = node.attributes;
  entry.listedSize = node.size;
}

bool FakeDirectoryTree::Begin(const char* pattern, ListingHandle& listing, ListedEntry& first) {
  static const Node dot = DirectoryNode(".");
  static const Node dotDot = DirectoryNode("..");
  const std::string text = pattern;
  calls_.push_back("list " + text);
  if (!text.ends_with("\\*.*")) return false;
  const std::string key = Resolve(text.substr(0, text.size() - 4));
  const Node* directory = key.empty() ? nullptr : Find(key);
  if (directory == nullptr || !directory->isDirectory) return false;

  Listing entries;
  if (!IsDrive(key)) entries.entries = {&dot, &dotDot};
  for (const std::string& child : directory->children) entries.entries.push_back(&nodes_.at(child));
  // Windows reports an empty listing as a failure to list.
  if (entries.entries.empty()) return false;
  entries.next = 1;
  Describe(*entries.entries.front(), first);
  listing.value = ++lastListing_;
  listings_[listing.value] = std::move(entries);
  return true;
}

bool FakeDirectoryTree::Next(ListingHandle listing, ListedEntry& entry) {
  Listing& current = listings_.at(listing.value);
  if (current.next == current.entries.size()) return false;
  Describe(*current.entries[current.next++], entry);
  return true;
}

void FakeDirectoryTree::End(ListingHandle listing) {
  if (listings_.erase(listing.value) != 1) throw std::logic_error("listing ended twice or never begun");
}

std::optional<std::uint64_t> FakeDirectoryTree::OpenedFileSize(const char* path) {
  calls_.push_back(std::string("open ") + path);
  const std::string key = Resolve(path);
  const Node* file = key.empty() ? nullptr : Find(key);
  if (file == nullptr || file->isDirectory || file->locked) return std::nullopt;
  return file->sizeQueryFails ? 0 : file->size;
}

std::optional<std::string> FakeDirectoryTree::FinalPath(const char* directory) {
  calls_.push_back(std::string("final ") + directory);
  if (finalPathFailures_.contains(NormalKey(directory))) return std::nullopt;
  const std::string key = Resolve(directory);
  if (key.empty()) return std::nullopt;
  if (IsDrive(key)) return key + "\\";
  const Node* node = Find(key);
  if (node == nullptr || !node->isDirectory) return std::nullopt;
  return node->path;
}

}  // namespace zobl::testing
