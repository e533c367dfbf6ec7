#pragma once

#include <string>
#include <string_view>

// Full path of an executable program: name itself when it holds a '/', else
// the first match on PATH. "" when there is none.
std::string FindProgram(std::string_view name);

// True if path names a regular file we may execute.
bool IsExecutableFile(const std::string& path);
