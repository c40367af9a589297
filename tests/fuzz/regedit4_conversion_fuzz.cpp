// Feeds any bytes as the backup file an earlier version left (or a user edited by hand)
// to the removal's backup, which converts such a file once before it appends: the file
// is converted whole and the new copy follows, or nothing is written and the file stays
// as it was. Never a crash, never a partial file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_backup_file.h"
#include "fake_registry.h"
#include "fuzz_checks.h"
#include "inventory/descriptor_backup.h"
#include "inventory/reg_file_text.h"
#include "inventory/regedit4_conversion.h"
#include "inventory/uninstall_key.h"

namespace {

using zobl::fuzzing::Check;

}  // namespace

// Input: the file's bytes after its signature, which the first byte decides to give or not.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string earlier =
      (!input.empty() && input.front() % 8 == 0) ? std::string(input.substr(1)) : "REGEDIT4" + std::string(input);

  zobl::testing::FakeRegistry registry;
  const std::string path = std::string(zobl::kUninstallKeyPath) + "\\Acme";
  registry.CreateKey(path);
  registry.SetText(path, "DisplayName", "Acme");
  zobl::testing::FakeGrowingFiles files;
  files.files[zobl::kBackupFileName] = earlier;
  const zobl::testing::FixedClock clock;
  const zobl::Utf8ProcessCodePage codePage;
  zobl::DescriptorBackup backup(registry, files, clock, codePage);

  const std::optional<std::uint64_t> formerLength = backup.Save(zobl::RegistrySource::Machine64, "Acme", "Acme");
  const std::string& after = files.files[zobl::kBackupFileName];
  if (!formerLength) {
    Check(after == earlier);
    return 0;
  }
  Check(*formerLength <= after.size());
  if (zobl::IsRegedit4File(earlier)) {
    // Converted: a Unicode registry file (its header line, then the earlier lines), then
    // the new copy.
    const std::string headerLine =
        zobl::kRegFileByteOrderMark + *zobl::RegFileBytes("Windows Registry Editor Version 5.00\r\n");
    Check(after.starts_with(headerLine) && after.size() % 2 == 0);
  } else {
    Check(after.starts_with(earlier.empty() ? zobl::RegFileStart() : earlier));
  }
  return 0;
}
