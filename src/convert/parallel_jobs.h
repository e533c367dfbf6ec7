#pragma once
// How many files of a list convert at once.
//
// One ffmpeg encoder does not keep every processor busy: on a 2-processor
// machine, converting a 60-second 640x480 clip with "-target pal-dvd" takes
// kEncoderProcessorUse processors on average (its processor time divided by
// its wall time, with the machine otherwise idle; bench/convert/bench_task_list
// prints the figure again as "one encoder keeps ... processors busy").
// Enough encoders run side by side to keep every processor busy; the last one
// may share a processor with the others, which costs far less than leaving one
// idle. For the same reason a list that would end in a second, smaller round
// runs whole at once.

#include <cstddef>

inline constexpr double kEncoderProcessorUse = 1.4;

// requested > 0 forces that many (a stored setting or an option); 0 or less
// chooses from the processors. Never more than fileCount, never less than 1.
int ChooseParallelJobs(int requested, std::size_t fileCount, int processors,
                       double encoderProcessorUse = kEncoderProcessorUse);

// The same for the processors this process may use now.
int ParallelJobsForMachine(int requested, std::size_t fileCount);

// Threads for each of jobs encoders side by side. ffmpeg's MPEG encoders
// split each picture into one slice per thread and wait for the last slice:
// their own choice, one thread more than the processors, leaves a processor
// with two slices while the others wait. Measured on two processors: a PAL
// DVD title alone took 0.8 x ffmpeg's time with 2 threads, two titles side
// by side 0.93 x with 1 thread each. So each encoder gets an equal share of
// the processors, at least one.
int EncoderThreads(int jobs, int processors);
