#pragma once
// The exception family of the engine. A peravel_exception carries a text for
// the user; its copy hint adds how to copy the message when it is shown.

#include <stdexcept>
#include <string>

class peravel_exception : public std::runtime_error {
 public:
  explicit peravel_exception(const std::string& message, bool copyHint = false)
      : std::runtime_error(message), m_bCopyHint(copyHint) {}

  bool CopyHint() const noexcept { return m_bCopyHint; }

  // The text as a message box shows it.
  std::string DisplayText() const;

 private:
  bool m_bCopyHint;
};

// Thrown when the engine notices the stop flag; never shown to the user.
class stop_by_user_exception : public peravel_exception {
 public:
  stop_by_user_exception() : peravel_exception("stopped by user", true) {}
};

// A file operation failed; the message names the file and the system's reason.
class file_exception : public peravel_exception {
 public:
  file_exception(const std::string& action, const std::string& path, int errorCode);

  const std::string& Path() const noexcept { return m_strPath; }
  int ErrorCode() const noexcept { return m_nErrorCode; }

 private:
  std::string m_strPath;
  int m_nErrorCode;
};
