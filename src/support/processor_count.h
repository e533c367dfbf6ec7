#pragma once
// How many processors this process may run on: the ones its affinity allows
// (so "taskset -c 0" counts one), at least 1.

int UsableProcessorCount();
