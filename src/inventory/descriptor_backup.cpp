#include "inventory/descriptor_backup.h"

#include <array>
#include <cstdio>

#include "inventory/reg_file_text.h"
#include "inventory/uninstall_key.h"

namespace zobl {
namespace {

// Writes the open key's block, then each subkey's, depth first, as the registry editor
// orders them. Subkeys are opened through their parent: full paths have a length limit.
// A key whose name holds a line break cannot be written, so it is not copied, and so
// not removed.
bool AppendKey(Registry& registry, Registry::Key key, const std::string& path, std::string& out) {
  if (!FitsRegFileKeyLine(path)) return false;
  out += RegFileKeyLine(path);
  RegistryValue value;
  for (std::uint32_t index = 0;; ++index) {
    const EnumerationStep step = registry.EnumerateValue(key, index, value);
    if (step == EnumerationStep::End) break;
    if (step == EnumerationStep::Failed) return false;
    out += RegFileValueLines(value);
  }
  out += "\r\n";
  std::string name;
  for (std::uint32_t index = 0;; ++index) {
    const EnumerationStep step = registry.EnumerateChildName(key, index, name);
    if (step == EnumerationStep::End) break;
    if (step == EnumerationStep::Failed) return false;
    const ScopedRegistryKey child(registry, key, name.c_str());
    if (!child.IsOpen() || !AppendKey(registry, child.Get(), path + "\\" + name, out)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> DescriptorRegText(Registry& registry, RegistrySource source, std::string_view keyName) {
  const ScopedRegistryKey uninstall(registry, source, kUninstallKeyPath);
  if (!uninstall.IsOpen()) return std::nullopt;
  const std::string name(keyName);
  const ScopedRegistryKey descriptor(registry, uninstall.Get(), name.c_str());
  if (!descriptor.IsOpen()) return std::nullopt;
  std::string text;
  if (!AppendKey(registry, descriptor.Get(), DescriptorLocation(source, keyName), text)) return std::nullopt;
  return text;
}

std::string BackupCommentLine(const LocalDateTime& when, std::string_view programName) {
  std::array<char, 64> stamp{};
  std::snprintf(stamp.data(), stamp.size(), "; %04d-%02d-%02d %02d:%02d:%02d ZOBL Quillmoor removed: ", when.year,
                when.month, when.day, when.hour, when.minute, when.second);
  std::string line = stamp.data();
  for (const char c : programName) line += (c == '\r' || c == '\n') ? ' ' : c;
  line += "\r\n";
  return line;
}

std::optional<std::uint64_t> DescriptorBackup::Save(RegistrySource source,
                                                    const std::string& keyName,
                                                    const std::string& programName) {
  const std::optional<std::string> descriptor = DescriptorRegText(registry_, source, keyName);
  if (!descriptor) return std::nullopt;
  const std::string entry = BackupCommentLine(clock_.Now(), programName) + *descriptor;
  return files_.Append(kBackupFileName, kRegFileHeader, entry);
}

void DescriptorBackup::TakeBack(std::uint64_t formerLength) { files_.CutBack(kBackupFileName, formerLength); }

}  // namespace zobl
