#include "ui/descriptor_removal.h"

#include "inventory/uninstall_key.h"

namespace zobl {

LineRemoval RemoveLineWithBackup(Registry& registry,
                                 DescriptorBackup& backup,
                                 RegistrySource source,
                                 const std::string& keyName,
                                 const std::string& programName,
                                 std::uint32_t& failure) {
  const std::string keyPath = std::string(kUninstallKeyPath) + "\\" + keyName;
  const std::optional<std::uint64_t> formerLength = backup.Save(source, keyName, programName);
  if (!formerLength) {
    // Gone meanwhile (another program removed it while the question was open, or while
    // it was being copied): there is nothing to keep and nothing to delete. Only a
    // descriptor still there is one the file failed.
    if (ScopedRegistryKey(registry, source, keyPath.c_str()).Opening() == KeyOpening::Missing) {
      return LineRemoval::AlreadyGone;
    }
    return LineRemoval::BackupFailed;
  }
  if (!registry.RemoveKey(source, keyPath.c_str())) {
    // The descriptor stays; so does the file, as it was. One another program removed
    // meanwhile is no failure.
    failure = registry.LastFailure();
    backup.TakeBack(*formerLength);
    return failure == kRegistryNotFound ? LineRemoval::AlreadyGone : LineRemoval::DeletionFailed;
  }
  return LineRemoval::Removed;
}

}  // namespace zobl
