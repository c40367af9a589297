#include "planted_programs.h"

#include <windows.h>

#include <stdexcept>
#include <utility>

#include "churn_keys.h"
#include "scratch_directory.h"

namespace zobl::churn {

PlantedPrograms::OwnedDirectory::OwnedDirectory(std::string directory) : path(std::move(directory)) {
  testing::RemoveTree(path);  // what a run that crashed left
  testing::CreateDirectoryOrThrow(path);
}

PlantedPrograms::OwnedDirectory::~OwnedDirectory() { testing::RemoveTree(path); }

PlantedPrograms::PlantedPrograms(const std::string& root, int treeCount, const std::string& uninstallerSource)
    : root_(root) {
  // Tree n: an uninstaller of 100 bytes and n data files of 1000 (n + 1) + k bytes each.
  for (int n = 0; n < treeCount; ++n) {
    PlantedTree tree{root_.path + "\\tree" + std::to_string(n), 100};
    testing::CreateDirectoryOrThrow(tree.directory);
    testing::CreateFileOrThrow(tree.directory + "\\un.exe", 100);
    for (int k = 0; k < n; ++k) {
      const std::uint64_t size = 1000 * static_cast<std::uint64_t>(n + 1) + static_cast<std::uint64_t>(k);
      testing::CreateFileOrThrow(tree.directory + "\\data" + std::to_string(k) + ".bin", size);
      tree.bytes += size;
    }
    trees_.push_back(tree);
  }
  uninstaller_ = root_.path + "\\uninstaller.exe";
  if (!CopyFileA(uninstallerSource.c_str(), uninstaller_.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + uninstallerSource);
  }

  // Three per source: a plain command, an expandable one, one naming no directory.
  testing::DescriptorKeys keys(testing::DescriptorKeys::AtEnd::Keep);
  for (const RegistrySource source : kRegistrySources) {
    for (int k = 0; k < 3; ++k) {
      const std::string tag = std::string(SourceTag(source)) + "-" + std::to_string(k);
      const std::string tree = "tree" + std::to_string((static_cast<int>(source) * 3 + k) % treeCount);
      DescriptorValues values;
      // No hyphen: the printout's text comes back from the PDF with a soft one instead.
      values.displayName = std::string("Churn Stable ") + SourceTag(source) + " " + std::to_string(k);
      values.command = k == 0   ? "\"" + root_.path + "\\" + tree + "\\un.exe\" /S"
                       : k == 1 ? "%ZOBL_CHURN_TREES%\\" + tree + "\\un.exe"
                                : "MsiExec.exe /X{ZOBL-CHURN-" + tag + "}";
      values.expandable = k == 1;
      const std::string keyName = std::string(kChurnPrefix) + "Stable-" + tag;
      if (!WriteDescriptor(keys, source, keyName, values)) {
        throw std::runtime_error("cannot plant " + keyName);
      }
      stable_.push_back({source, keyName, values.displayName, values.command});
    }
  }
}

}  // namespace zobl::churn
