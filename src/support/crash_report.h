#pragma once
// The content of ERRORLOG.TXT: the facts gathered when the handler was
// installed, the facts of one crash, and the writer that turns both into the
// report. Everything here is async-signal-safe.

#include <limits.h>
#include <ucontext.h>

#include <cstdint>

#include "support/crash_report_buffer.h"

namespace crash_detail {

// Known before any crash: gathered by InstallCrashHandler.
struct InstalledFacts {
  char productWord[64] = {};
  char applicationName[256] = {};  // the executable's file name without its extension
  char executablePath[PATH_MAX] = {};
  char userName[256] = {};
  char systemName[256] = {};     // distribution (or kernel name)
  char systemVersion[256] = {};  // kernel release
  char servicePack[64] = {};
  int processors = 0;
  int processorType = 0;  // Windows' numbering: 586 x86, 8664 x86-64
  std::uint64_t addressSpaceBytes = 0;
  long utcOffsetSeconds = 0;          // local time minus UTC, at installation
  char profileFolder[PATH_MAX] = {};  // <data folder>/<executable file name>.INI
  char reportPath[PATH_MAX] = {};
  char errorReportPath[PATH_MAX] = {};
};

// One crash.
struct CrashEvent {
  std::uint32_t code = 0;     // the exception code the report names
  const char* location = "";  // where the handler was called
  bool accessViolation = false;
  bool write = false;  // the access violation was a write
  std::uint64_t faultAddress = 0;
  const ucontext_t* context = nullptr;  // the crashed thread's registers; nullptr when unknown
};

// The exception's name as the report's first line gives it.
const char* ExceptionName(std::uint32_t code) noexcept;

// Writes the whole report, from its first line to its end line.
void WriteReport(ReportBuffer& out, const InstalledFacts& facts, const CrashEvent& event) noexcept;

// Test hook: a fault in the middle of the report.
extern bool g_faultWhileReporting;

}  // namespace crash_detail
