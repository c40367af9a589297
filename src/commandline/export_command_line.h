#pragma once

#include <string>
#include <vector>

namespace zobl {

// The program's one command-line interface: none at all opens the window;
// "/export FILE" writes the inventory to FILE and ends, "/sizes" measuring every
// program first. Switches may be given in either order, in any letter case, and with
// "-" for "/". The argument after /export is its file whatever it looks like (under
// Wine "/tmp/x.csv" is a path), unless it is the switch /sizes.
inline constexpr char kCommandLineUsage[] = "Usage: zobl.exe [/export FILE [/sizes]]";

// Exit codes of a run from the command line, besides 0 for success.
inline constexpr int kExitFailed = 1;      // anything unforeseen, the inventory unread
inline constexpr int kExitUsage = 2;       // arguments that are not the ones above
inline constexpr int kExitUnwritable = 3;  // FILE could not be written; any earlier one is as it was

struct CommandLine {
  enum class Action { OpenWindow, Export, Usage };
  Action action = Action::OpenWindow;
  std::string exportFile;
  bool measureSizes = false;
};

// `arguments` in UTF-8, the program's own name left out.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace zobl
