#pragma once

#include <cstdint>
#include <string>

namespace zobl {

// The program a command starts, and what it is given (see ProgramToStart).
struct ProgramStart {
  // The program file by its full path; or, for a command that begins with a bare or
  // relative name ("MsiExec.exe /X{...}"), that name, which the system looks up.
  std::string program;
  bool lookedUpBySystem = false;
  // What follows the program in the command, as written.
  std::string arguments;

  // The line the program receives: its own name first, quoted, then the arguments.
  [[nodiscard]] std::string CommandLine() const {
    std::string line = '"' + program + '"';
    if (!arguments.empty() && arguments.front() != ' ' && arguments.front() != '\t') line += ' ';
    return line + arguments;
  }
};

// Starting programs and handing addresses and folders to the user's shell.
class Shell {
 public:
  virtual ~Shell() = default;

  // Starts the program shown normally, without waiting for it, with this process's
  // rights. 0: started; else the system's error number.
  [[nodiscard]] virtual std::uint32_t StartProgram(const ProgramStart& start) = 0;
  // Whether this process holds an administrator's rights that the user's ordinary
  // programs lack (an elevated run).
  [[nodiscard]] virtual bool RunsElevated() = 0;
  // Has the desktop's shell start the program, with the user's ordinary rights, as the
  // system's own list of apps starts per-user uninstallers; false when there is no such
  // shell or it refused.
  [[nodiscard]] virtual bool StartProgramAsUser(const ProgramStart& start) = 0;
  // Opens the address in the user's browser, maximized; what the shell answers is not
  // the program's concern.
  virtual void OpenAddress(const std::string& address) = 0;
  // Opens the folder in the user's file manager; false when the shell could not.
  [[nodiscard]] virtual bool OpenFolder(const std::string& path) = 0;
};

}  // namespace zobl
