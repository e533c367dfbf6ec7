#pragma once
// Whether a folder takes new files, found out by making one: permission bits
// say nothing of a read-only mount, an exhausted quota or an administrator,
// who passes every permission check and still cannot write a read-only disc.

#include <string>

// "" when a file can be created in folder (and is removed again at once);
// otherwise the reason, in the system's words ("Permission denied").
std::string FolderWriteProblem(const std::string& folder);
