#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/shell.h"

namespace zobl {

// A started command and every process it starts in turn. Many uninstallers copy
// themselves elsewhere and start the copy before they end, so the first process ending
// says nothing: the run is over when the last of them has ended.
class WatchedProcess {
 public:
  virtual ~WatchedProcess() = default;

  // True once the command and everything it started have ended; asks without waiting.
  [[nodiscard]] virtual bool Ended() = 0;
  // The first process's exit code, once it has one.
  [[nodiscard]] virtual std::optional<std::uint32_t> ExitCode() = 0;
};

// Starts commands whose end the caller watches.
class ProcessWatcher {
 public:
  virtual ~ProcessWatcher() = default;

  // Starts the program with this process's rights; nothing when it could not be started,
  // `failure` then holding the system's error number.
  [[nodiscard]] virtual std::unique_ptr<WatchedProcess> Start(const ProgramStart& start, std::uint32_t& failure) = 0;
  // The same with the user's ordinary rights, those of the desktop's shell, for an
  // elevated process.
  [[nodiscard]] virtual std::unique_ptr<WatchedProcess> StartAsUser(const ProgramStart& start, std::uint32_t& failure) = 0;
  // The system's text for such a number.
  [[nodiscard]] virtual std::string FailureText(std::uint32_t failure) const = 0;
};

}  // namespace zobl
