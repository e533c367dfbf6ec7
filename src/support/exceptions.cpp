#include "support/exceptions.h"

#include "support/log.h"

std::string peravel_exception::DisplayText() const {
  std::string text = what();
  if (m_bCopyHint) text += "\n\nTo copy this error message press Ctrl+C";
  return text;
}

file_exception::file_exception(const std::string& action, const std::string& path, int errorCode)
    : peravel_exception(action + " \"" + path + "\": " + GetErrorText(errorCode)),
      m_strPath(path),
      m_nErrorCode(errorCode) {}
