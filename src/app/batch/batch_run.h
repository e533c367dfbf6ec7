#pragma once
// One batch job: the window's core behind a console view, with its settings
// loaded as the window loads them, the options applied as a user would set
// the controls, and Convert pressed. The calling thread must own a
// Q(Gui)Application; its event loop runs until the job has ended: nothing is
// busy, the conversion list has ended, and no child process remains.
//
// SIGINT and SIGTERM press Convert again, which is the job's cancel; the run
// then ends with kExitInterrupted once the list and its ffmpeg have stopped
// and the temporary files are gone. A second signal ends it at once.
//
// The stored settings are read, never written: a script does not change the
// choices of the window.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"

class CCastrel1Dlg;

// Presses the Convert button of the core (starts a job, or cancels one).
using PressConvert = std::function<void(CCastrel1Dlg&)>;
void PressConvertButton(CCastrel1Dlg& core);

// Qt's own warnings (no runtime folder, fonts) go to the log, not to stderr,
// which is the job's. Call before making the application.
void SendQtMessagesToLog();

// The exit code (kExitDone, kExitFailed, kExitUsage, kExitInterrupted).
int RunBatchJob(const BatchOptions& options, std::FILE* out, bool terminal, const PressConvert& pressConvert);

// The whole command line: help, version, usage errors and the job; arguments
// with the program first. Prints help and version on stdout, the rest on stderr.
int RunCommandLine(const std::vector<std::string>& arguments, const PressConvert& pressConvert);
