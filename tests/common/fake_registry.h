#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zobl::testing {

// The registry of each source as an in-memory tree of keys holding named, typed values,
// with the system's rules: key and value names ignore ASCII case, subkeys enumerate in name
// order, a key with subkeys cannot be deleted, an open key outlives its deletion but no
// longer enumerates. Values are set and read as the 8-bit calls see them (texts in
// UTF-8); EnumerateValue hands them over as the registry stores them, texts (types 1, 2
// and 7) in UTF-16LE, bytes that are no UTF-8 becoming U+FFFD as the system makes them.
class FakeRegistry final : public Registry {
 public:
  struct CallCounts {
    int opens = 0;  // successful ones
    int enumerations = 0;
    int valueReads = 0;
  };

  // Creates the key and every missing key on its path.
  void CreateKey(const std::string& path, RegistrySource source = RegistrySource::Machine64);
  // The key must exist. A text value is stored with its terminating zero (SetText).
  // Values set without a type are strings (type 1).
  void SetValue(const std::string& path,
                const std::string& valueName,
                std::string bytes,
                RegistrySource source = RegistrySource::Machine64);
  void SetTypedValue(const std::string& path,
                     const std::string& valueName,
                     std::uint32_t type,
                     std::string bytes,
                     RegistrySource source = RegistrySource::Machine64);
  void SetText(const std::string& path,
               const std::string& valueName,
               const std::string& text,
               RegistrySource source = RegistrySource::Machine64);
  void DeleteValue(const std::string& path,
                   const std::string& valueName,
                   RegistrySource source = RegistrySource::Machine64);
  // The key with everything below it; nothing when it is missing.
  void DeleteTree(const std::string& path, RegistrySource source = RegistrySource::Machine64);

  [[nodiscard]] bool KeyExists(const std::string& path, RegistrySource source = RegistrySource::Machine64) const;
  // Subkey names in enumeration order; empty when the key is missing.
  [[nodiscard]] std::vector<std::string> SubkeyNames(const std::string& path,
                                                     RegistrySource source = RegistrySource::Machine64) const;
  [[nodiscard]] std::optional<std::string> ValueBytes(const std::string& path,
                                                      const std::string& valueName,
                                                      RegistrySource source = RegistrySource::Machine64) const;

  // Keys opened through OpenKey and not closed yet.
  [[nodiscard]] std::size_t OpenKeyCount() const { return openKeys_.size(); }
  [[nodiscard]] const CallCounts& Calls() const { return calls_; }
  void ResetCalls() { calls_ = {}; }
  // Runs at the start of every EnumerateSubkey: lets a test act in the middle of a walk.
  std::function<void(std::uint32_t index)> onEnumerate;

  // Runs at the start of every EnumerateValue: lets a test act in the middle of a copy.
  std::function<void()> onEnumerateValue;

  // Makes every value enumeration fail, as a key changing under the walk would.
  bool failValueEnumeration = false;
  // Makes every subkey enumeration fail, as a key the system cannot list would.
  bool failSubkeyEnumeration = false;
  // Keys that exist but cannot be opened, as with no right to read them (full paths).
  std::vector<std::string> refusedKeys;
  // The key exists, but neither it nor its values can be read, by any path to it.
  void RefuseReading(const std::string& path, RegistrySource source = RegistrySource::Machine64);

  // The system's numbers for the failures the fake makes.
  static constexpr std::uint32_t kAccessDenied = 5;
  static constexpr std::uint32_t kChangedMeanwhile = 1018;

  [[nodiscard]] KeyOpening OpenKey(RegistrySource source, const char* subKey, Key& key) override;
  [[nodiscard]] bool OpenChildKey(Key parent, const char* name, Key& key) override;
  void CloseKey(Key key) override;
  [[nodiscard]] SubkeyStep EnumerateSubkey(Key key, std::uint32_t index, SubkeyNameBuffer name) override;
  [[nodiscard]] EnumerationStep EnumerateChildName(Key key, std::uint32_t index, std::string& name) override;
  [[nodiscard]] EnumerationStep EnumerateValue(Key key, std::uint32_t index, RegistryValue& value) override;
  using Registry::ReadKeyValue;
  [[nodiscard]] bool ReadKeyValue(RegistrySource source,
                                  const char* subKey,
                                  const char* valueName,
                                  RegistryValueBuffer& buffer,
                                  std::uint32_t& type) override;
  [[nodiscard]] std::optional<std::size_t> ReadValue(Key key,
                                                     const char* valueName,
                                                     RegistryValueBuffer& buffer,
                                                     std::uint32_t& type) override;
  [[nodiscard]] bool RemoveKey(RegistrySource source, const char* subKey) override;
  [[nodiscard]] std::uint32_t LastFailure() const override { return lastFailure_; }
  [[nodiscard]] std::string FailureText(std::uint32_t error) const override;

 private:
  void Failing(std::uint32_t error) { lastFailure_ = error; }

  struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Node {
    std::string name;
    bool deleted = false;
    bool refused = false;
    std::map<std::string, RegistryValue, NameLess> values;
    std::map<std::string, std::shared_ptr<Node>, NameLess> subkeys;
  };

  [[nodiscard]] std::shared_ptr<Node> Resolve(const std::string& path, RegistrySource source) const;
  [[nodiscard]] std::shared_ptr<Node> ResolveOrThrow(const std::string& path, RegistrySource source) const;
  [[nodiscard]] std::shared_ptr<Node> ParentOf(const std::string& path, RegistrySource source, std::string& leaf) const;
  [[nodiscard]] const Node& OpenNode(Key key) const;
  std::optional<std::size_t> ReadFrom(const Node* node,
                                      const char* valueName,
                                      RegistryValueBuffer& buffer,
                                      std::uint32_t& type);
  Key Register(std::shared_ptr<Node> node);
  static void MarkDeleted(Node& node);

  std::array<std::shared_ptr<Node>, 3> roots_{std::make_shared<Node>(), std::make_shared<Node>(),
                                              std::make_shared<Node>()};
  std::map<Key, std::shared_ptr<Node>> openKeys_;
  Key nextKey_ = 0x100;
  CallCounts calls_;
  std::uint32_t lastFailure_ = 0;
};

}  // namespace zobl::testing
