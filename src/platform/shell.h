#pragma once

#include <string>

namespace zobl {

// Starting commands and handing addresses to the user's browser.
class Shell {
 public:
  virtual ~Shell() = default;

  // Starts the command line as a new process shown normally, without waiting for it.
  // 32 or more: started; below: not started (the system's reason).
  virtual unsigned StartCommand(const std::string& commandLine) = 0;
  // Opens the address in the user's browser, maximized; what the shell answers is not
  // the program's concern.
  virtual void OpenAddress(const std::string& address) = 0;
  // Opens the folder in the user's file manager; false when the shell could not.
  [[nodiscard]] virtual bool OpenFolder(const std::string& path) = 0;
};

}  // namespace zobl
