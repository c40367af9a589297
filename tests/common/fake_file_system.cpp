#include "fake_file_system.h"

#include <algorithm>
#include <stdexcept>

namespace zobl::testing {
namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  return text;
}

std::pair<std::string, std::string> SplitParent(const std::string& path) {
  const auto slash = path.rfind('\\');
  if (slash == std::string::npos) throw std::invalid_argument("not a drive path: " + path);
  return {path.substr(0, slash), path.substr(slash + 1)};
}

bool IsDrive(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

}  // namespace

void FakeFileSystem::Remove(const std::string& path) {
  const std::string key = ResolveKey(path);
  if (key.empty()) return;
  std::erase_if(nodes_, [&key](const auto& node) { return node.first == key || node.first.starts_with(key + '\\'); });
}

void FakeFileSystem::Add(const std::string& path, Node node) {
  const auto [parent, name] = SplitParent(path);
  const std::string parentKey = ResolveKey(parent);
  if (parentKey.empty()) throw std::invalid_argument("missing parent: " + path);
  node.longName = name;
  const std::string key = parentKey + '\\' + Upper(name);
  if (!node.shortName.empty()) aliases_[parentKey + '\\' + Upper(node.shortName)] = key;
  nodes_[key] = std::move(node);
}

void FakeFileSystem::AddDirectory(const std::string& path, std::uint64_t creationTime, std::string shortName) {
  Add(path, Node{{}, std::move(shortName), true, true, true, creationTime});
}

void FakeFileSystem::AddFile(const std::string& path, bool hasDosTime, std::string shortName) {
  Add(path, Node{{}, std::move(shortName), false, hasDosTime, true, kDefaultTime});
}

void FakeFileSystem::SetVariable(const std::string& name, std::string value) {
  variables_[Upper(name)] = std::move(value);
}

std::optional<std::string> FakeFileSystem::ExpandEnvironment(const char* text) {
  const std::string source(text);
  std::string expanded;
  std::size_t at = 0;
  while (at < source.size()) {
    const std::size_t open = source.find('%', at);
    const std::size_t close = open == std::string::npos ? std::string::npos : source.find('%', open + 1);
    if (close == std::string::npos) break;
    expanded.append(source, at, open - at);
    const auto variable = variables_.find(Upper(source.substr(open + 1, close - open - 1)));
    if (variable != variables_.end()) {
      expanded += variable->second;
      at = close + 1;
    } else {
      expanded += '%';  // the closing sign may open the next reference
      at = open + 1;
      expanded.append(source, at, close - at);
      at = close;
    }
  }
  expanded.append(source, std::min(at, source.size()));
  return expanded;
}

void FakeFileSystem::AddLink(const std::string& path, std::string target) {
  AddDirectory(path);
  links_[ResolveKey(path)] = std::move(target);
}

std::optional<std::string> FakeFileSystem::FinalPath(const char* directory) {
  const std::string key = ResolveKey(directory);
  for (const auto& [link, target] : links_) {
    if (key == link || key.starts_with(link + '\\')) return target + std::string(directory).substr(link.size());
  }
  return std::nullopt;
}

void FakeFileSystem::DenySearch(const std::string& path) { nodes_.at(ResolveKey(path)).searchable = false; }

// Walks the path component by component, matching long names or aliases.
std::string FakeFileSystem::ResolveKey(const std::string& path) const {
  std::size_t start = path.find('\\');
  std::string key = Upper(path.substr(0, start));
  if (!IsDrive(key)) return {};
  while (start != std::string::npos) {
    const std::size_t end = path.find('\\', start + 1);
    const std::string component = Upper(path.substr(start + 1, end - start - 1));
    if (component.empty()) return {};
    const std::string child = key + '\\' + component;
    if (nodes_.contains(child)) {
      key = child;
    } else {
      const auto alias = aliases_.find(child);
      if (alias == aliases_.end()) return {};
      key = alias->second;
    }
    if (end != std::string::npos && !nodes_.at(key).isDirectory) return {};
    start = end;
  }
  return key;
}

const FakeFileSystem::Node* FakeFileSystem::Resolve(const std::string& path) const {
  const std::string key = ResolveKey(path);
  if (key.empty() || IsDrive(key)) return nullptr;
  return &nodes_.at(key);
}

bool FakeFileSystem::IsExistingDirectory(const char* path) {
  ++questions_;
  std::string text(path);
  if (text.size() > 3 && text.back() == '\\') text.pop_back();  // attributes of "C:\dir\" are those of the directory
  if (IsDrive(Upper(text.substr(0, 2))) && text.size() == 3 && text[2] == '\\') return true;
  const Node* node = Resolve(text);
  return node != nullptr && node->isDirectory;
}

bool FakeFileSystem::IsExistingFile(const char* path) {
  ++questions_;
  const Node* node = Resolve(path);
  return node != nullptr && node->searchable && !node->isDirectory && node->hasDosTime;
}

std::optional<FoundEntry> FakeFileSystem::FindEntry(const char* path) {
  const Node* node = Resolve(path);
  if (node == nullptr || !node->searchable) return std::nullopt;
  return FoundEntry{node->longName, node->creationTime};
}

std::optional<FullPath> FakeFileSystem::GetFullPath(const char* path) {
  const std::string text(path);
  const auto slash = text.rfind('\\');
  if (slash == std::string::npos || slash + 1 == text.size()) return std::nullopt;
  return FullPath{text, slash + 1};
}

}  // namespace zobl::testing
