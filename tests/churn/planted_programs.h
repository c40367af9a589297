#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zobl::churn {

// A program directory made for the run, and the bytes its files hold.
struct PlantedTree {
  std::string directory;
  std::uint64_t bytes;
};

// A descriptor planted before the window opens and left alone by everyone: its row must
// be listed after every refresh.
struct StableDescriptor {
  RegistrySource source;
  std::string keyName;
  std::string displayName;
  std::string command;
};

// Program directories, a stand-in uninstaller and the stable descriptors of the run. The
// files are in `root`, which goes with everything in it; the descriptors go with the
// churn's sweep.
class PlantedPrograms {
 public:
  PlantedPrograms(const std::string& root, int treeCount, const std::string& uninstallerSource);

  [[nodiscard]] const std::string& TreesPath() const { return root_.path; }
  [[nodiscard]] const std::vector<PlantedTree>& Trees() const { return trees_; }
  [[nodiscard]] const std::vector<StableDescriptor>& Stable() const { return stable_; }
  // A copy of the stand-in uninstaller; it leaves "<path>.ran" behind when it runs.
  [[nodiscard]] const std::string& Uninstaller() const { return uninstaller_; }

 private:
  struct OwnedDirectory {
    explicit OwnedDirectory(std::string directory);
    ~OwnedDirectory();
    OwnedDirectory(const OwnedDirectory&) = delete;
    OwnedDirectory& operator=(const OwnedDirectory&) = delete;
    std::string path;
  } root_;
  std::vector<PlantedTree> trees_;
  std::vector<StableDescriptor> stable_;
  std::string uninstaller_;
};

}  // namespace zobl::churn
