#pragma once

#include <string>

#include "platform/win32/scoped_handles.h"

namespace zobl::churn {

using win32::ScopedKernelHandle;

// The descriptor churner running beside the window: started at construction, stopped by
// Stop() or, however the caller ends, by the destructor. It ends by itself, too, when
// this process ends.
class ChurnerProcess {
 public:
  ChurnerProcess(const std::string& program, const std::string& trees, int treeCount);
  ~ChurnerProcess();
  ChurnerProcess(const ChurnerProcess&) = delete;
  ChurnerProcess& operator=(const ChurnerProcess&) = delete;

  // Tells it to stop, waits for its end and returns what it printed; throws when it
  // failed or does not end.
  std::string Stop();

 private:
  ScopedKernelHandle stop_;
  ScopedKernelHandle process_;
  ScopedKernelHandle output_;
};

}  // namespace zobl::churn
