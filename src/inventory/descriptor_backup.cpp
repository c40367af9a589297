#include "inventory/descriptor_backup.h"

#include <array>
#include <cstdio>
#include <limits>

#include "inventory/reg_file_text.h"
#include "inventory/regedit4_conversion.h"
#include "inventory/uninstall_key.h"
#include "platform/utf16_text.h"

namespace zobl {
namespace {

// Writes the open key's block, then each subkey's, depth first, as the registry editor
// orders them. Subkeys are opened through their parent: full paths have a length limit.
// A key whose name holds a line break cannot be written, so it is not copied, and so
// not removed. Key names are the program's texts; value names and data come as UTF-8.
bool AppendKey(Registry& registry,
               Registry::Key key,
               const std::string& path,
               const ProcessCodePage& codePage,
               std::string& out) {
  if (!FitsRegFileKeyLine(path)) return false;
  out += RegFileKeyLine(codePage.ToUtf8(path));
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
    if (!child.IsOpen() || !AppendKey(registry, child.Get(), path + "\\" + name, codePage, out)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> DescriptorRegText(Registry& registry,
                                             RegistrySource source,
                                             std::string_view keyName,
                                             const ProcessCodePage& codePage) {
  const ScopedRegistryKey uninstall(registry, source, kUninstallKeyPath);
  if (!uninstall.IsOpen()) return std::nullopt;
  const std::string name(keyName);
  const ScopedRegistryKey descriptor(registry, uninstall.Get(), name.c_str());
  if (!descriptor.IsOpen()) return std::nullopt;
  std::string text;
  if (!AppendKey(registry, descriptor.Get(), DescriptorLocation(source, keyName), codePage, text)) {
    return std::nullopt;
  }
  return text;
}

std::string BackupCommentLine(const LocalDateTime& when, std::string_view programName) {
  std::array<char, 64> stamp{};
  std::snprintf(stamp.data(), stamp.size(), "; %04d-%02d-%02d %02d:%02d:%02d ZOBL Quillmoor removed: ", when.year,
                when.month, when.day, when.hour, when.minute, when.second);
  std::string line = stamp.data();
  // The comment is for reading, not importing: a name that is no UTF-8 is shown with
  // U+FFFD rather than cost the copy.
  const std::string name = *Utf8FromUtf16(Utf16FromUtf8Lossy(programName));
  for (const char c : name) line += (c == '\r' || c == '\n') ? ' ' : c;
  line += "\r\n";
  return line;
}

std::optional<std::uint64_t> DescriptorBackup::Save(RegistrySource source,
                                                    const std::string& keyName,
                                                    const std::string& programName) {
  refusal_ = FileRefusal::None;
  const std::optional<std::string> descriptor = DescriptorRegText(registry_, source, keyName, codePage_);
  if (!descriptor) return std::nullopt;
  const std::optional<std::string> entry =
      RegFileBytes(BackupCommentLine(clock_.Now(), codePage_.ToUtf8(programName)) + *descriptor);
  if (!entry) return std::nullopt;
  // Only to a registry file: whatever else stands at that name is not the program's to grow.
  std::optional<std::uint64_t> formerLength;
  if (ConvertEarlierFile()) formerLength = files_.Append(kBackupFileName, RegFileSignature(), RegFileStart(), *entry);
  if (!formerLength) refusal_ = files_.LastRefusal();
  return formerLength;
}

bool DescriptorBackup::ConvertEarlierFile() {
  const std::optional<std::string> start = files_.Read(kBackupFileName, kRegedit4SignatureLength);
  if (!start) return false;
  if (!IsRegedit4File(*start)) return true;
  const std::optional<std::string> earlier = files_.Read(kBackupFileName, std::numeric_limits<std::size_t>::max());
  if (!earlier) return false;
  const std::optional<std::string> text =
      RegFileTextFromRegedit4(*earlier, [this](std::string_view bytes) { return files_.FromSystemCodePage(bytes); });
  const std::optional<std::string> bytes = text ? RegFileBytes(*text) : std::nullopt;
  return bytes && files_.Replace(kBackupFileName, kRegFileByteOrderMark + *bytes);
}

void DescriptorBackup::TakeBack(std::uint64_t formerLength) { files_.CutBack(kBackupFileName, formerLength); }

}  // namespace zobl
