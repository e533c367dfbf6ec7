#include "convert/parallel_jobs.h"

#include <algorithm>
#include <cmath>

#include "support/processor_count.h"

int ChooseParallelJobs(int requested, std::size_t fileCount, int processors, double encoderProcessorUse) {
  int jobs = requested;
  if (jobs <= 0) {
    const double use = encoderProcessorUse > 0 ? encoderProcessorUse : 1.0;
    jobs = processors <= 1 ? 1 : static_cast<int>(std::ceil(processors / use - 1e-9));
  }
  const int files = static_cast<int>(std::min<std::size_t>(fileCount, 1024));
  return std::max(1, std::min(jobs, files));
}

int ParallelJobsForMachine(int requested, std::size_t fileCount) {
  return ChooseParallelJobs(requested, fileCount, UsableProcessorCount());
}
