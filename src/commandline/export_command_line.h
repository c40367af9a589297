#pragma once

#include <string>
#include <vector>

namespace zobl {

// The command-line interface zobl.exe and zobl-cli.exe share. None at all opens the
// window (zobl-cli.exe has none: for it that is a usage error); "/export FILE" writes
// the inventory to FILE and ends, "/list" writes it to standard output (zobl-cli.exe
// only), "/sizes" measuring every program first and "/json" writing JSON instead of CSV;
// "/?" asks for the usage. Switches may be given in any order, in any letter case, and
// with "-" for "/". The argument after /export is its file whatever it looks like (under
// Wine "/tmp/x.csv" is a path), unless it is another switch of these.
inline constexpr char kCommandLineUsage[] = "Usage: zobl.exe [/export FILE [/sizes] [/json]]";
inline constexpr char kConsoleUsage[] =
    "Usage: zobl-cli.exe /list [/sizes] [/json]\r\n"
    "       zobl-cli.exe /export FILE [/sizes] [/json]\r\n"
    "\r\n"
    "Writes the programs installed on this machine, as CSV or with /json as JSON, to\r\n"
    "standard output (/list) or to FILE, replaced whole or not at all (/export). /sizes\r\n"
    "measures each program's folder first (Ctrl+C stops). Exit codes: 0 done; 1 the\r\n"
    "inventory could not be read whole, or the measuring was stopped; 2 a wrong command\r\n"
    "line; 3 FILE could not be written; 4 written, but some descriptors could not be\r\n"
    "read (they are named on standard error, and in the JSON under \"unreadable\").";

// Exit codes of a run from the command line, besides 0 for success.
inline constexpr int kExitFailed = 1;      // anything unforeseen, the inventory unread, a run stopped
inline constexpr int kExitUsage = 2;       // arguments that are not the ones above
inline constexpr int kExitUnwritable = 3;  // FILE could not be written; any earlier one is as it was
inline constexpr int kExitIncomplete = 4;  // written, but some descriptors could not be read

struct CommandLine {
  enum class Action { OpenWindow, Export, List, Help, Usage };
  Action action = Action::OpenWindow;
  std::string exportFile;
  bool measureSizes = false;
  bool json = false;
};

// `arguments` in UTF-8, the program's own name left out.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace zobl
