#include "commandline/export_command_line.h"

#include <algorithm>
#include <string_view>

namespace zobl {
namespace {

bool IsSwitch(std::string_view argument, std::string_view name) {
  if (argument.size() != name.size() + 1 || (argument[0] != '/' && argument[0] != '-')) return false;
  return std::equal(name.begin(), name.end(), argument.begin() + 1, [](char wanted, char given) {
    return wanted == (given >= 'A' && given <= 'Z' ? static_cast<char>(given - 'A' + 'a') : given);
  });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) return line;
  const CommandLine usage{CommandLine::Action::Usage};
  bool exporting = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (IsSwitch(arguments[i], "sizes") && !line.measureSizes) {
      line.measureSizes = true;
    } else if (IsSwitch(arguments[i], "export") && !exporting) {
      exporting = true;
      if (++i == arguments.size() || arguments[i].empty() || IsSwitch(arguments[i], "sizes")) return usage;
      line.exportFile = arguments[i];
    } else {
      return usage;
    }
  }
  if (!exporting) return usage;
  line.action = CommandLine::Action::Export;
  return line;
}

}  // namespace zobl
