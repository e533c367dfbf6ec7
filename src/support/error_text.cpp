#include <cstdio>
#include <cstring>
#include <string>

#include "support/log.h"

std::string GetErrorText(int code) {
  char buffer[256] = {};
  // GNU strerror_r may return a static text instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  // glibc answers codes it does not know with "Unknown error N".
  if (text == nullptr || *text == '\0' || std::strncmp(text, "Unknown error", 13) == 0) {
    char unknown[64];
    std::snprintf(unknown, sizeof unknown, "Unknown error: %08x (%d)", static_cast<unsigned>(code), code & 0xFFFF);
    return unknown;
  }
  std::string result(text);
  const auto lineEnd = result.find_first_of("\r\n");
  if (lineEnd != std::string::npos) result.resize(lineEnd);
  return result;
}
