#pragma once

#include <cstdlib>

namespace zobl::fuzzing {

// A broken invariant is a finding: libFuzzer keeps the input that aborted.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace zobl::fuzzing
