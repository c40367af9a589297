// Prints a list of known rows through the real print dialog, answered from inside the
// process, and writes the lines the paper must carry, for tests/scripts/print_check.sh.
//   zobl_print_check.exe ROWS EXPECTED_FILE [--cancel | --two-collated-copies]
// EXPECTED_FILE gets the header's fixed start, then every row's line in printed order.
// The copies are asked for in the dialog's own controls, as a user would.
// Exit code 0 when printing ran (or was cancelled) without a failure, 1 on a failure.
#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/column_text.h"
#include "message_box_answerer.h"
#include "shown_texts.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_print_platform.h"
#include "reports/printed_list.h"

namespace {

// A row and the line it must print.
struct KnownRow {
  zobl::UninstallEntry row;
  std::string line;
};

// Every stand-in a row can show, among ordinary texts, spread over the pages.
KnownRow MakeRow(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "Program %03d", number);
  char date[16];
  std::snprintf(date, sizeof date, "2001.%02d.%02d", number % 12 + 1, number % 28 + 1);
  using enum zobl::SizeState;
  static const struct {
    zobl::SizeState state;
    std::uint64_t bytes;
    const char* text;
  } kSizes[] = {{NotYetComputed, 0, zobl::kNotYetComputedText}, {Measured, 100, ""},
                {Unknown, 0, zobl::kUnknownSizeText}, {Measured, 1310720, "1.25 Mb"}, {Measured, 319488, "312 Kb"}};
  const auto& size = kSizes[number % 5];
  zobl::UninstallEntry row{.name = name, .keyName = std::string("Key") + name, .size = size.state,
                           .sizeBytes = size.bytes, .command = std::string("C:\\un") + name + ".exe"};
  if (number % 9 != 4) row.installDate = date;
  if (number % 7 != 3) row.directory = std::string("C:\\Program Files\\") + name;
  std::string line = std::string(name) + " Date=" + row.installDate.value_or(zobl::kUnknownDateText) + " Size=" +
                     size.text + " Directory=" + row.directory.value_or(zobl::kMissingDirectoryText);
  return {std::move(row), std::move(line)};
}

// The print dialog is answered as soon as it is up; with `twoCollatedCopies`, after
// asking for them in its own controls, as a user would.
int Run(int rows, const char* expectedPath, int answer, bool twoCollatedCopies) {
  const zobl::win32::Win32Locale locale;
  zobl::InventoryList list(locale);
  std::ofstream expected(expectedPath);
  expected << zobl::kPrintHeaderStart << '\n';
  // Appended last first: the list, not the order of arrival, decides the printed order.
  std::vector<std::string> lines(static_cast<std::size_t>(rows));
  for (int number = rows; number >= 1; --number) {
    KnownRow known = MakeRow(number);
    list.Add(std::move(known.row));
    lines[static_cast<std::size_t>(number - 1)] = std::move(known.line);
  }
  for (const std::string& line : lines) expected << line << '\n';
  expected.close();
  if (!expected) throw std::runtime_error(std::string("cannot write ") + expectedPath);

  bool copiesAsked = false;
  const zobl::testing::MessageBoxAnswerer dialogs(
      answer, twoCollatedCopies ? [&copiesAsked](HWND dialog) {
        copiesAsked = SetDlgItemTextA(dialog, edt3, "2") && CheckDlgButton(dialog, chx2, BST_CHECKED);
      } : std::function<void(HWND)>());
  zobl::win32::Win32PrintPlatform platform(nullptr);
  zobl::PrintInventory(zobl::ShownRows(list, locale), platform);
  if (dialogs.Seen().empty()) throw std::runtime_error("the print dialog never showed");
  if (twoCollatedCopies && !copiesAsked) throw std::runtime_error("the dialog has no copies or collate control");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  zobl::win32::LoadLibrariesFromTheSystemOnly();  // as the program: the check plants a spooler DLL beside it
  const std::string option = argc == 4 ? argv[3] : "";
  if (argc < 3 || argc > 4 || std::atoi(argv[1]) <= 0 ||
      (argc == 4 && option != "--cancel" && option != "--two-collated-copies")) {
    std::fprintf(stderr, "usage: zobl_print_check ROWS EXPECTED_FILE [--cancel | --two-collated-copies]\n");
    return 2;
  }
  try {
    return Run(std::atoi(argv[1]), argv[2], option == "--cancel" ? IDCANCEL : IDOK, option == "--two-collated-copies");
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "zobl_print_check: %s\n", failure.what());
    return 1;
  }
}
