#pragma once
// Qt wants a per-user runtime folder (XDG_RUNTIME_DIR). A session of a
// desktop or of logind has one; cron jobs, `su` and containers often do not,
// and Qt then makes "$TMPDIR/runtime-<user>" and leaves it behind for good.
// Without one, the program makes a private folder of its own for the run
// (in the temporary folder, mode 0700) and removes it at the end.

#include <string>

class ScopedRuntimeFolder {
 public:
  ScopedRuntimeFolder();
  ~ScopedRuntimeFolder();
  ScopedRuntimeFolder(const ScopedRuntimeFolder&) = delete;
  ScopedRuntimeFolder& operator=(const ScopedRuntimeFolder&) = delete;

  // The folder made for this run, or "" when the environment had one.
  const std::string& Folder() const { return m_folder; }

 private:
  std::string m_folder;
};
