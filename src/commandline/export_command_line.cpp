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

bool IsAnySwitch(std::string_view argument) {
  return std::ranges::any_of(std::initializer_list<std::string_view>{"export", "list", "sizes", "json", "?"},
                             [argument](std::string_view name) { return IsSwitch(argument, name); });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  using Action = CommandLine::Action;
  CommandLine line;
  if (arguments.empty()) return line;
  if (arguments.size() == 1 && IsSwitch(arguments[0], "?")) return {Action::Help};
  const CommandLine usage{Action::Usage};
  line.action = Action::Usage;  // until /export or /list says what to do
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsSwitch(argument, "sizes") && !line.measureSizes) {
      line.measureSizes = true;
    } else if (IsSwitch(argument, "json") && !line.json) {
      line.json = true;
    } else if (IsSwitch(argument, "list") && line.action == Action::Usage) {
      line.action = Action::List;
    } else if (IsSwitch(argument, "export") && line.action == Action::Usage) {
      line.action = Action::Export;
      if (++i == arguments.size() || arguments[i].empty() || IsAnySwitch(arguments[i])) return usage;
      line.exportFile = arguments[i];
    } else {
      return usage;
    }
  }
  return line.action == Action::Usage ? usage : line;
}

}  // namespace zobl
