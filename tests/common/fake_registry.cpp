#include "fake_registry.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zobl::testing {
namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    parts.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

std::size_t ViewIndex(RegistryView view) { return view == RegistryView::Native ? 0 : 1; }

}  // namespace

bool FakeRegistry::NameLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(UpperAscii(x)) < static_cast<unsigned char>(UpperAscii(y));
  });
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::Resolve(const std::string& path, RegistryView view) const {
  std::shared_ptr<Node> node = roots_[ViewIndex(view)];
  for (const std::string& part : SplitPath(path)) {
    const auto it = node->subkeys.find(part);
    if (part.empty() || it == node->subkeys.end()) return nullptr;
    node = it->second;
  }
  return node;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::ResolveOrThrow(const std::string& path, RegistryView view) const {
  std::shared_ptr<Node> node = Resolve(path, view);
  if (!node) throw std::invalid_argument("no such key in the fake registry: " + path);
  return node;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::ParentOf(const std::string& path,
                                                           RegistryView view,
                                                           std::string& leaf) const {
  const std::size_t slash = path.rfind('\\');
  leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  return slash == std::string::npos ? roots_[ViewIndex(view)] : Resolve(path.substr(0, slash), view);
}

void FakeRegistry::CreateKey(const std::string& path, RegistryView view) {
  std::shared_ptr<Node> node = roots_[ViewIndex(view)];
  for (const std::string& part : SplitPath(path)) {
    if (part.empty()) throw std::invalid_argument("empty key name in " + path);
    auto& child = node->subkeys[part];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = part;
    }
    node = child;
  }
}

void FakeRegistry::SetValue(const std::string& path,
                            const std::string& valueName,
                            std::string bytes,
                            RegistryView view) {
  ResolveOrThrow(path, view)->values[valueName] = std::move(bytes);
}

void FakeRegistry::SetText(const std::string& path,
                           const std::string& valueName,
                           const std::string& text,
                           RegistryView view) {
  SetValue(path, valueName, text + '\0', view);
}

void FakeRegistry::DeleteValue(const std::string& path, const std::string& valueName, RegistryView view) {
  ResolveOrThrow(path, view)->values.erase(valueName);
}

void FakeRegistry::MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& [name, child] : node.subkeys) MarkDeleted(*child);
}

void FakeRegistry::DeleteTree(const std::string& path, RegistryView view) {
  std::string leaf;
  const std::shared_ptr<Node> parent = ParentOf(path, view, leaf);
  if (!parent) return;
  const auto it = parent->subkeys.find(leaf);
  if (it == parent->subkeys.end()) return;
  MarkDeleted(*it->second);
  parent->subkeys.erase(it);
}

bool FakeRegistry::KeyExists(const std::string& path, RegistryView view) const {
  return Resolve(path, view) != nullptr;
}

std::vector<std::string> FakeRegistry::SubkeyNames(const std::string& path, RegistryView view) const {
  std::vector<std::string> names;
  if (const std::shared_ptr<Node> node = Resolve(path, view)) {
    for (const auto& [name, child] : node->subkeys) names.push_back(child->name);
  }
  return names;
}

std::optional<std::string> FakeRegistry::ValueBytes(const std::string& path,
                                                    const std::string& valueName,
                                                    RegistryView view) const {
  const std::shared_ptr<Node> node = Resolve(path, view);
  if (!node) return std::nullopt;
  const auto it = node->values.find(valueName);
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

bool FakeRegistry::OpenKey(const char* subKey, Key& key, RegistryView view) {
  std::shared_ptr<Node> node = Resolve(subKey, view);
  if (!node) return false;
  ++calls_.opens;
  key = nextKey_++;
  openKeys_.emplace(key, std::move(node));
  return true;
}

void FakeRegistry::CloseKey(Key key) {
  if (openKeys_.erase(key) == 0) throw std::logic_error("closing a key that is not open");
}

bool FakeRegistry::EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) {
  ++calls_.enumerations;
  if (onEnumerate) onEnumerate(index);
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) throw std::logic_error("enumerating a key that is not open");
  const Node& node = *open->second;
  if (node.deleted || index >= node.subkeys.size()) return false;
  const std::string& subkey = std::next(node.subkeys.begin(), index)->second->name;
  if (subkey.size() + 1 > name.size()) return false;  // no room for the name and its zero
  std::memcpy(name.data(), subkey.c_str(), subkey.size() + 1);
  return true;
}

bool FakeRegistry::ReadKeyValue(const char* subKey,
                                const char* valueName,
                                RegistryValueBuffer& buffer,
                                RegistryView view) {
  ++calls_.valueReads;
  const std::optional<std::string> bytes = ValueBytes(subKey, valueName, view);
  if (!bytes || bytes->size() > buffer.size()) return false;
  std::memcpy(buffer.data(), bytes->data(), bytes->size());
  // As the system's reader: a text must end inside the buffer.
  if (bytes->size() < buffer.size()) {
    buffer[bytes->size()] = '\0';
    return true;
  }
  return bytes->find('\0') != std::string::npos;
}

bool FakeRegistry::RemoveKey(const char* subKey, RegistryView view) {
  std::string leaf;
  const std::shared_ptr<Node> parent = ParentOf(subKey, view, leaf);
  if (!parent) return false;
  const auto it = parent->subkeys.find(leaf);
  if (it == parent->subkeys.end() || !it->second->subkeys.empty()) return false;
  it->second->deleted = true;
  parent->subkeys.erase(it);
  return true;
}

}  // namespace zobl::testing
