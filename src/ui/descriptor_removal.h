#pragma once

#include <cstdint>
#include <string>

#include "inventory/descriptor_backup.h"
#include "platform/registry.h"

namespace zobl {

enum class LineRemoval {
  Removed,         // copied to the backup file, then deleted
  AlreadyGone,     // nothing there to copy or to delete
  BackupFailed,    // the copy could not be made: nothing was deleted
  DeletionFailed,  // the registry kept it (`failure` says why); its copy was taken back out of the file
};

// "Remove Line"'s work on one descriptor: a descriptor is deleted only once a copy of it
// is safe in the backup file. `keyName` and `programName` are in the process's code page.
[[nodiscard]] LineRemoval RemoveLineWithBackup(Registry& registry,
                                               DescriptorBackup& backup,
                                               RegistrySource source,
                                               const std::string& keyName,
                                               const std::string& programName,
                                               std::uint32_t& failure);

}  // namespace zobl
