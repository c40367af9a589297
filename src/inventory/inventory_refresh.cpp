#include "inventory/inventory_refresh.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "inventory/command_analysis.h"
#include "inventory/uninstall_key.h"
#include "platform/capacities.h"
#include "platform/path_rules.h"
#include "platform/utf16_text.h"

namespace zobl {
namespace {

constexpr char kDisplayNameValue[] = "DisplayName";
constexpr char kUninstallStringValue[] = "UninstallString";
constexpr char kInstallLocationValue[] = "InstallLocation";
constexpr char kPublisherValue[] = "Publisher";
constexpr char kDisplayVersionValue[] = "DisplayVersion";

// The text with %ProgramFiles% and %CommonProgramFiles% named as a 32-bit program reads
// them, "(x86)" added. The variables are found as the expansion finds them, from the left:
// a name the system does not know leaves its first "%" as plain text, and the second may
// begin the next variable. (A plain search for "%ProgramFiles%" would miss one whose
// first "%" closes the variable before it, and let the 64-bit folder in.)
std::string As32BitProgramsNameThem(std::string_view text, FileSystem& fileSystem) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t close = text[at] == '%' ? text.find('%', at + 1) : std::string_view::npos;
    if (close == std::string_view::npos) {
      out += text[at++];
      continue;
    }
    const std::string_view name = text.substr(at + 1, close - at - 1);
    const std::string variable(text.substr(at, close - at + 1));
    if (EqualIgnoringAsciiCase(name, "ProgramFiles") || EqualIgnoringAsciiCase(name, "CommonProgramFiles")) {
      out += variable.substr(0, variable.size() - 1) + "(x86)%";
    } else if (const std::optional<std::string> value = fileSystem.ExpandEnvironment(variable.c_str());
               !value || *value == variable) {
      out += '%';  // no variable: the second "%" is looked at again
      ++at;
      continue;
    } else {
      out += variable;
    }
    at = close + 1;
  }
  return out;
}

// A key name is listed per source: the same name in two sources is two descriptors.
// Key names compare as the registry compares them, without regard to letter case in any
// script: a descriptor re-created under another spelling is the same key.
void AssignListedKey(std::string& out, RegistrySource source, std::string_view keyName, const Locale& locale) {
  // A name holding an unpaired surrogate or a zero (kept exactly) would become U+FFFD in
  // the locale's upper case and be taken for another such name: it stays as it is.
  if (IsAscii(keyName) || ShownKeyName(keyName) == keyName) {
    locale.AssignUpperCase(out, keyName);
  } else {
    out = keyName;
  }
  out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(source)));
}

// The Uninstall key's path and a backslash, to which a key name is appended.
class DescriptorPath {
 public:
  DescriptorPath() : path_(std::string(kUninstallKeyPath) + '\\'), prefixLength_(path_.size()) {}

  const std::string& For(std::string_view keyName) {
    path_.resize(prefixLength_);
    path_ += keyName;
    return path_;
  }

 private:
  std::string path_;
  std::size_t prefixLength_;
};

}  // namespace

// The text a value stands for. Only an expandable text is expanded, and only when its
// expansion fits a value buffer as a stored text would; otherwise it is used as
// stored. A 32-bit program reads %ProgramFiles% and %CommonProgramFiles% as their
// "(x86)" folders, so a descriptor of the 32-bit view is expanded as it would.
std::string ValueText(const char* stored, std::uint32_t type, RegistrySource source, FileSystem& fileSystem) {
  if (type != kExpandableTextType) return stored;
  const std::string text = source == RegistrySource::Machine32 ? As32BitProgramsNameThem(stored, fileSystem) : stored;
  std::optional<std::string> expanded = fileSystem.ExpandEnvironment(text.c_str());
  if (!expanded || expanded->size() >= kRegistryValueCapacity) return stored;
  return std::move(*expanded);
}

InventoryRefresher::InventoryRefresher(Registry& registry,
                                       FileSystem& fileSystem,
                                       const Locale& locale,
                                       InventoryList& list,
                                       RegistryReading reading)
    : registry_(registry), fileSystem_(fileSystem), locale_(locale), list_(list), reading_(reading) {}

void InventoryRefresher::RefreshTick() {
  if (refreshBusy_ || (watches_ != nullptr && !watches_->RefreshDue())) return;
  refreshBusy_ = true;
  // Cleared however the refresh ends, or every later tick would be skipped.
  struct BusyReset {
    bool& busy;
    ~BusyReset() { busy = false; }
  } reset{refreshBusy_};
  RefreshInventory();
}

bool InventoryRefresher::RefreshInventory() {
  if (watches_ != nullptr) watches_->BeforeRefresh();  // before any read: a change from now on signals
  const ScopedRepaintSuspension suspension(list_);
  PruneRows();
  CollectListedKeys();
  unreadable_.clear();
  knownParents_.clear();  // folders may have been renamed since the last pass
  const std::string windowsDirectory = fileSystem_.WindowsDirectory();
  bool allRead = true;
  for (const RegistrySource source : kRegistrySources) allRead &= AddNewDescriptors(source, windowsDirectory);
  return allRead;
}

bool InventoryRefresher::AddNewDescriptors(RegistrySource source, std::string_view windowsDirectory) {
  // A source without an Uninstall key (often the user's) simply has nothing to list.
  const ScopedRegistryKey uninstall(registry_, source, kUninstallKeyPath);
  if (!uninstall.IsOpen()) return uninstall.Opening() == KeyOpening::Missing;
  if (reading_ == RegistryReading::Complete) return AddEveryDescriptor(source, uninstall.Get(), windowsDirectory);
  DescriptorPath path;
  std::array<char, kSubkeyNameCapacity> name{};
  for (std::uint32_t index = 0;; ++index) {
    const SubkeyStep step = registry_.EnumerateSubkey(uninstall.Get(), index, name);
    if (step == SubkeyStep::End) break;
    if (step == SubkeyStep::Failed) return false;
    // A name too long for the buffer is passed over, not taken for the end: the
    // descriptors behind it are listed all the same.
    if (step == SubkeyStep::TooLong) continue;
    const auto end = std::find(name.begin(), name.end(), '\0');
    const std::string_view keyName(name.data(), static_cast<std::size_t>(end - name.begin()));
    if (!FirstSighting(source, keyName)) continue;
    const std::string keyNameText(keyName);
    AddInventoryRow(source, path.For(keyName), keyNameText, windowsDirectory);
  }
  return true;
}

void InventoryRefresher::PruneRows() {
  DescriptorPath path;
  for (std::size_t i = 0; i < list_.Count();) {
    const UninstallEntry& row = list_.RowAt(i);
    if (!row.name && !namelessRowsShown_) {
      list_.DeleteAt(i);
      continue;
    }
    if (!ScopedRegistryKey(registry_, row.source, path.For(row.keyName).c_str()).IsOpen()) {
      list_.DeleteAt(i);
      continue;
    }
    ++i;
  }
}

void InventoryRefresher::CollectListedKeys() {
  listedKeys_.clear();
  listedKeys_.reserve(list_.Count());
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    const UninstallEntry& row = list_.RowAt(i);
    AssignListedKey(lookupKey_, row.source, row.keyName, locale_);
    listedKeys_.insert(lookupKey_);
  }
}

const SharedFolderList& InventoryRefresher::SharedFolders() {
  if (!sharedFolders_) {
    sharedFolders_ = fileSystem_.SharedFolders();
    ResolveSharedFolders(*sharedFolders_, fileSystem_, locale_);
  }
  return *sharedFolders_;
}

bool InventoryRefresher::FirstSighting(RegistrySource source, std::string_view keyName) {
  AssignListedKey(lookupKey_, source, keyName, locale_);
  return listedKeys_.insert(lookupKey_).second;
}

bool InventoryRefresher::AddEveryDescriptor(RegistrySource source,
                                            Registry::Key uninstall,
                                            std::string_view windowsDirectory) {
  std::string keyName;
  for (std::uint32_t index = 0;; ++index) {
    const EnumerationStep step = registry_.EnumerateChildName(uninstall, index, keyName);
    if (step == EnumerationStep::End) return true;
    if (step == EnumerationStep::Failed) return false;
    if (!FirstSighting(source, keyName)) continue;
    std::optional<std::vector<RegistryValue>> stored = ReadWholeDescriptor(source, uninstall, keyName);
    if (!stored) continue;
    const DescriptorValues values(std::move(*stored));
    const ValueReader read = [&values](const char* name) -> std::optional<StoredText> {
      std::optional<std::string> text = values.Text(name);
      if (!text) return std::nullopt;
      return StoredText{std::move(*text), *values.Type(name)};
    };
    AddRow(source, keyName, windowsDirectory, read,
           std::make_shared<const DescriptorDetails>(ReadDescriptorDetails(values, keyName)));
  }
}

std::optional<std::vector<RegistryValue>> InventoryRefresher::ReadWholeDescriptor(RegistrySource source,
                                                                                  Registry::Key uninstall,
                                                                                  const std::string& keyName) {
  // Opened through the Uninstall key: a long name would make the full path too long.
  const ScopedRegistryKey descriptor(registry_, uninstall, keyName.c_str());
  const auto unreadable = [&] {
    unreadable_.push_back({source, keyName, registry_.FailureText(registry_.LastFailure())});
    return std::nullopt;
  };
  if (!descriptor.IsOpen()) {
    // Removed since it was listed: it is simply no longer there.
    if (registry_.LastFailure() == kRegistryNotFound || registry_.LastFailure() == kRegistryKeyDeleted) {
      return std::nullopt;
    }
    return unreadable();
  }
  std::vector<RegistryValue> values;
  RegistryValue value;
  for (std::uint32_t index = 0;; ++index) {
    switch (registry_.EnumerateValue(descriptor.Get(), index, value)) {
      case EnumerationStep::Item: values.push_back(std::move(value)); break;
      case EnumerationStep::End: return values;
      case EnumerationStep::Failed:
        // Deleted while it was read (its uninstaller at work): gone, as if a moment later.
        if (registry_.LastFailure() == kRegistryKeyDeleted) return std::nullopt;
        return unreadable();
    }
  }
}

void InventoryRefresher::AddInventoryRow(RegistrySource source,
                                         const std::string& keyPath,
                                         const std::string& keyName,
                                         std::string_view windowsDirectory) {
  // Opened once for all its values; one that has gone meanwhile reads as one without any.
  const ScopedRegistryKey descriptor(registry_, source, keyPath.c_str());
  const ValueReader read = [&](const char* name) -> std::optional<StoredText> {
    RegistryValueBuffer buffer;
    std::uint32_t type = 0;
    if (!descriptor.IsOpen()) return std::nullopt;
    const std::optional<std::size_t> size = registry_.ReadValue(descriptor.Get(), name, buffer, type);
    if (!size) return std::nullopt;
    // Read as the exports read it (DescriptorValues::Text), from the 8-bit form.
    switch (TextReadingOf(type)) {
      case TextReading::Text: return StoredText{buffer.data(), type};  // to its first zero
      case TextReading::Digits: {
        std::optional<std::string> digits = NumberDigits(type, std::string_view(buffer.data(), *size));
        if (!digits) return std::nullopt;
        return StoredText{std::move(*digits), type};
      }
      case TextReading::Absent: break;
    }
    return std::nullopt;
  };
  AddRow(source, keyName, windowsDirectory, read, nullptr);
}

void InventoryRefresher::AddRow(RegistrySource source,
                                const std::string& keyName,
                                std::string_view windowsDirectory,
                                const ValueReader& read,
                                std::shared_ptr<const DescriptorDetails> details) {
  UninstallEntry row;
  row.source = source;
  row.keyName = keyName;
  if (std::optional<StoredText> name = read(kDisplayNameValue)) {
    row.name = std::move(name->text);
  } else if (!namelessRowsShown_) {
    return;
  }

  CommandAnalysis analysis;
  if (std::optional<StoredText> command = read(kUninstallStringValue)) {
    std::string expanded = ValueText(command->text.c_str(), command->type, source, fileSystem_);
    analysis = AnalyseCommand(expanded, windowsDirectory, fileSystem_, locale_, SharedFolders(), &knownParents_);
    if (expanded != command->text) row.expandedCommand = std::move(expanded);
    row.command = std::move(command->text);
  }
  row.statusImage = row.command && !analysis.deadPath ? kStatusOk : kStatusWarning;

  // Windows Installer commands name no path; most packages record where they went.
  if (!analysis.directoryFound) {
    if (std::optional<StoredText> location = read(kInstallLocationValue)) {
      CommandAnalysis fromLocation =
          AnalyseInstallLocation(ValueText(location->text.c_str(), location->type, source, fileSystem_),
                                 windowsDirectory, fileSystem_, locale_, SharedFolders(), &knownParents_);
      if (fromLocation.directoryFound) {
        analysis = std::move(fromLocation);
        row.directoryFromInstallLocation = true;
      }
    }
  }
  if (analysis.directoryFound) {
    row.directory = std::move(analysis.chosenDirectory);
    row.installDate = std::move(analysis.date);
  }
  // Who made the program and which version it is: for the list's filter, tip and exports.
  if (std::optional<StoredText> publisher = read(kPublisherValue)) row.publisher = std::move(publisher->text);
  if (std::optional<StoredText> version = read(kDisplayVersionValue)) row.displayVersion = std::move(version->text);
  row.details = std::move(details);
  list_.Add(std::move(row));
}

}  // namespace zobl
