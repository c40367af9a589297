#pragma once

#include "platform/watched_process.h"

namespace zobl::win32 {

// Starts each command suspended in a job object of its own whose completion port hears
// of every process in the job, then lets it run: processes it starts join the job, and
// the port tells when the last of them has ended. Nothing is killed: a job the program
// lets go of leaves its processes running.
class Win32ProcessWatcher final : public ProcessWatcher {
 public:
  std::unique_ptr<WatchedProcess> Start(const ProgramStart& start, std::uint32_t& failure) override;
  std::unique_ptr<WatchedProcess> StartAsUser(const ProgramStart& start, std::uint32_t& failure) override;
  std::string FailureText(std::uint32_t failure) const override;
};

}  // namespace zobl::win32
