#pragma once
// SIGINT and SIGTERM as a readable descriptor, so an event loop can treat
// Ctrl-C like any other input: the handler only writes the signal's number
// into a pipe (async-signal-safe); the loop reads it and cancels in its own
// time. Installed once per process; the previous handlers are not restored.

#include <vector>

// Installs the handlers; the pipe's read end, or -1 when it cannot be made.
int InstallStopSignals();

// The signals received since the last call (SIGINT, SIGTERM), oldest first.
std::vector<int> ReadStopSignals(int fd);

// The ids of the living child processes of process pid (zombies left out).
std::vector<int> ChildProcessesOf(int pid);
