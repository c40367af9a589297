#pragma once

#include <cstdio>
#include <cstdlib>

namespace zobl::fuzzing {

// A broken invariant is a finding: libFuzzer keeps the input that aborted, and the line
// that says which invariant broke is printed first (the caller's, through the compiler's
// built-ins: this clang's library has no std::source_location).
inline void Check(bool condition, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "broken invariant at %s:%d\n", file, line);
  std::abort();
}

}  // namespace zobl::fuzzing
