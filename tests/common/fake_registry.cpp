#include "fake_registry.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/utf16_text.h"

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

std::size_t RootIndex(RegistrySource source) { return static_cast<std::size_t>(source); }

}  // namespace

bool FakeRegistry::NameLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(UpperAscii(x)) < static_cast<unsigned char>(UpperAscii(y));
  });
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::Resolve(const std::string& path, RegistrySource source) const {
  std::shared_ptr<Node> node = roots_[RootIndex(source)];
  for (const std::string& part : SplitPath(path)) {
    const auto it = node->subkeys.find(part);
    if (part.empty() || it == node->subkeys.end()) return nullptr;
    node = it->second;
  }
  return node;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::ResolveOrThrow(const std::string& path, RegistrySource source) const {
  std::shared_ptr<Node> node = Resolve(path, source);
  if (!node) throw std::invalid_argument("no such key in the fake registry: " + path);
  return node;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::ParentOf(const std::string& path,
                                                           RegistrySource source,
                                                           std::string& leaf) const {
  const std::size_t slash = path.rfind('\\');
  leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  return slash == std::string::npos ? roots_[RootIndex(source)] : Resolve(path.substr(0, slash), source);
}

void FakeRegistry::CreateKey(const std::string& path, RegistrySource source) {
  std::shared_ptr<Node> node = roots_[RootIndex(source)];
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
                            RegistrySource source) {
  SetTypedValue(path, valueName, 1, std::move(bytes), source);
}

void FakeRegistry::SetTypedValue(const std::string& path,
                                 const std::string& valueName,
                                 std::uint32_t type,
                                 std::string bytes,
                                 RegistrySource source) {
  ResolveOrThrow(path, source)->values[valueName] = RegistryValue{valueName, type, std::move(bytes)};
}

void FakeRegistry::SetText(const std::string& path,
                           const std::string& valueName,
                           const std::string& text,
                           RegistrySource source) {
  SetValue(path, valueName, text + '\0', source);
}

void FakeRegistry::DeleteValue(const std::string& path, const std::string& valueName, RegistrySource source) {
  ResolveOrThrow(path, source)->values.erase(valueName);
}

void FakeRegistry::MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& [name, child] : node.subkeys) MarkDeleted(*child);
}

void FakeRegistry::DeleteTree(const std::string& path, RegistrySource source) {
  std::string leaf;
  const std::shared_ptr<Node> parent = ParentOf(path, source, leaf);
  if (!parent) return;
  const auto it = parent->subkeys.find(leaf);
  if (it == parent->subkeys.end()) return;
  MarkDeleted(*it->second);
  parent->subkeys.erase(it);
}

bool FakeRegistry::KeyExists(const std::string& path, RegistrySource source) const {
  return Resolve(path, source) != nullptr;
}

std::vector<std::string> FakeRegistry::SubkeyNames(const std::string& path, RegistrySource source) const {
  std::vector<std::string> names;
  if (const std::shared_ptr<Node> node = Resolve(path, source)) {
    for (const auto& [name, child] : node->subkeys) names.push_back(child->name);
  }
  return names;
}

std::optional<std::string> FakeRegistry::ValueBytes(const std::string& path,
                                                    const std::string& valueName,
                                                    RegistrySource source) const {
  const std::shared_ptr<Node> node = Resolve(path, source);
  if (!node) return std::nullopt;
  const auto it = node->values.find(valueName);
  if (it == node->values.end()) return std::nullopt;
  return it->second.bytes;
}

FakeRegistry::Key FakeRegistry::Register(std::shared_ptr<Node> node) {
  ++calls_.opens;
  const Key key = nextKey_++;
  openKeys_.emplace(key, std::move(node));
  return key;
}

const FakeRegistry::Node& FakeRegistry::OpenNode(Key key) const {
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) throw std::logic_error("using a key that is not open");
  return *open->second;
}

KeyOpening FakeRegistry::OpenKey(RegistrySource source, const char* subKey, Key& key) {
  std::shared_ptr<Node> node = Resolve(subKey, source);
  if (!node) {
    Failing(kRegistryNotFound);
    return KeyOpening::Missing;
  }
  if (node->refused || std::ranges::find(refusedKeys, subKey) != refusedKeys.end()) {
    Failing(kAccessDenied);
    return KeyOpening::Failed;
  }
  key = Register(std::move(node));
  return KeyOpening::Opened;
}

bool FakeRegistry::OpenChildKey(Key parent, const char* name, Key& key) {
  const Node& node = OpenNode(parent);
  const auto it = node.subkeys.find(name);
  if (node.deleted || it == node.subkeys.end()) {
    Failing(kRegistryNotFound);
    return false;
  }
  if (it->second->refused) {
    Failing(kAccessDenied);
    return false;
  }
  key = Register(it->second);
  return true;
}

void FakeRegistry::RefuseReading(const std::string& path, RegistrySource source) {
  ResolveOrThrow(path, source)->refused = true;
}

void FakeRegistry::CloseKey(Key key) {
  if (openKeys_.erase(key) == 0) throw std::logic_error("closing a key that is not open");
}

SubkeyStep FakeRegistry::EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) {
  ++calls_.enumerations;
  if (onEnumerate) onEnumerate(index);
  const Node& node = OpenNode(key);
  if (node.deleted || failSubkeyEnumeration) return SubkeyStep::Failed;
  if (index >= node.subkeys.size()) return SubkeyStep::End;
  const std::string& subkey = std::next(node.subkeys.begin(), index)->second->name;
  if (subkey.size() + 1 > name.size()) return SubkeyStep::TooLong;  // no room for the name and its zero
  std::memcpy(name.data(), subkey.c_str(), subkey.size() + 1);
  return SubkeyStep::Name;
}

EnumerationStep FakeRegistry::EnumerateChildName(Key key, std::uint32_t index, std::string& name) {
  const Node& node = OpenNode(key);
  if (node.deleted || failSubkeyEnumeration) return EnumerationStep::Failed;
  if (index >= node.subkeys.size()) return EnumerationStep::End;
  name = std::next(node.subkeys.begin(), index)->second->name;
  return EnumerationStep::Item;
}

EnumerationStep FakeRegistry::EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) {
  if (onEnumerateValue) onEnumerateValue();
  const Node& node = OpenNode(key);
  if (node.deleted || failValueEnumeration) {
    Failing(kChangedMeanwhile);
    return EnumerationStep::Failed;
  }
  if (index >= node.values.size()) return EnumerationStep::End;
  const RegistryValue& set = std::next(node.values.begin(), index)->second;
  value.name = *Utf8FromUtf16(Utf16FromUtf8Lossy(set.name));
  value.type = set.type;
  const bool text = IsTextType(set.type);
  value.bytes = text ? Utf16LeBytes(Utf16FromUtf8Lossy(set.bytes)) : set.bytes;
  return EnumerationStep::Item;
}

bool FakeRegistry::ReadKeyValue(RegistrySource source,
                                const char* subKey,
                                const char* valueName,
                                RegistryValueBuffer& buffer,
                                std::uint32_t& type) {
  return ReadFrom(Resolve(subKey, source).get(), valueName, buffer, type);
}

bool FakeRegistry::ReadValue(Key key, const char* valueName, RegistryValueBuffer& buffer, std::uint32_t& type) {
  return ReadFrom(&OpenNode(key), valueName, buffer, type);
}

// A key that is gone, deleted while open, or refused reads as one without the value.
bool FakeRegistry::ReadFrom(const Node* node, const char* valueName, RegistryValueBuffer& buffer, std::uint32_t& type) {
  ++calls_.valueReads;
  if (node == nullptr || node->deleted || node->refused) return false;
  const auto value = node->values.find(valueName);
  if (value == node->values.end()) return false;
  type = value->second.type;
  const std::string* bytes = &value->second.bytes;
  if (bytes->size() > buffer.size()) return false;
  std::memcpy(buffer.data(), bytes->data(), bytes->size());
  // As the system's reader: a text must end inside the buffer.
  if (bytes->size() < buffer.size()) {
    buffer[bytes->size()] = '\0';
    return true;
  }
  return bytes->find('\0') != std::string::npos;
}

bool FakeRegistry::RemoveKey(RegistrySource source, const char* subKey) {
  std::string leaf;
  const std::shared_ptr<Node> parent = ParentOf(subKey, source, leaf);
  if (!parent || !parent->subkeys.contains(leaf)) {
    Failing(kRegistryNotFound);
    return false;
  }
  const auto it = parent->subkeys.find(leaf);
  // As on Windows NT: a key with subkeys cannot be deleted.
  if (!it->second->subkeys.empty()) {
    Failing(kAccessDenied);
    return false;
  }
  it->second->deleted = true;
  parent->subkeys.erase(it);
  return true;
}

std::string FakeRegistry::FailureText(std::uint32_t error) const {
  return error == kAccessDenied ? "Access is denied." : "System error " + std::to_string(error) + ".";
}

}  // namespace zobl::testing
