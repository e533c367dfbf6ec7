#include "support/processor_count.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>

int UsableProcessorCount() {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) return std::max(1, CPU_COUNT(&allowed));
  return static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}
