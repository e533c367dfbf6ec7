#include "convert/parallel_jobs.h"

#include <algorithm>
#include <cmath>

#include "support/processor_count.h"

int ChooseParallelJobs(int requested, std::size_t fileCount, int processors, double encoderProcessorUse) {
  int jobs = requested;
  if (jobs <= 0) {
    const double use = encoderProcessorUse > 0 ? encoderProcessorUse : 1.0;
    jobs = processors <= 1 ? 1 : static_cast<int>(std::ceil(processors / use - 1e-9));
    // A second round of fewer encoders than the first would leave
    // processors idle at the end; the whole list at once shares them
    // instead (measured: three titles on two processors 5.4 s at once,
    // 5.9 s two and then one).
    const auto whole = static_cast<std::size_t>(jobs);
    if (jobs > 1 && fileCount > whole && fileCount < 2 * whole) jobs = static_cast<int>(fileCount);
  }
  const int files = static_cast<int>(std::min<std::size_t>(fileCount, 1024));
  return std::max(1, std::min(jobs, files));
}

int ParallelJobsForMachine(int requested, std::size_t fileCount) {
  return ChooseParallelJobs(requested, fileCount, UsableProcessorCount());
}

int EncoderThreads(int jobs, int processors) {
  return std::max(1, processors / std::max(1, jobs));
}
