#pragma once

#include <string>

namespace zobl::testing {

// Starts the command line and waits up to 30 seconds for it to end: its exit code, or -1
// when it could not be started or did not end.
int RunToEnd(std::string commandLine);

}  // namespace zobl::testing
