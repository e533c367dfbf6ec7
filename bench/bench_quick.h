#pragma once
// The quick mode every benchmark has: "--quick" on its command line (or
// ORLENTA_BENCH_QUICK=1) makes it run with a second of media and one round, so
// that bench/run-quick can run them all once and a broken benchmark is seen.
// Its figures mean nothing then.

#include <cstdlib>
#include <cstring>

namespace benchquick {

inline bool QuickMode(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) return true;
  }
  const char* quick = std::getenv("ORLENTA_BENCH_QUICK");
  return quick != nullptr && std::strcmp(quick, "1") == 0;
}

// The full value, or the quick one in quick mode.
template <typename T>
T Pick(bool quick, T full, T quickValue) {
  return quick ? quickValue : full;
}

}  // namespace benchquick
