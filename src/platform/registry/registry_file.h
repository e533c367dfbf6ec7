#pragma once
// The settings file on disk. It is read whole and replaced whole: a change is
// made under an exclusive lock on "<file>.lock" by re-reading the file,
// applying only that change and renaming a fully written, synced temporary
// file over it, so that running instances never lose each other's values and
// a crash leaves either the old file or the new one.

#include <functional>
#include <string>

#include "platform/registry/registry_data.h"
#include "platform/registry/registry_types.h"

// $ORLENTA_REGISTRY if set, else $XDG_CONFIG_HOME/Orlenta/registry.reg, else
// ~/.config/Orlenta/registry.reg; "" when no home folder is known.
std::string RegistryFilePath();

// The settings in the file. A missing file reads as empty. A file that cannot
// be parsed is moved aside to "<file>.bak" (or "<file>(n).bak" when that is
// taken) and reads as empty; one that cannot be read reads as empty and stays.
// Both are logged.
RegistryData ReadRegistryFile(const std::string& path);

// Makes sure a save can be attempted: the folder exists (or is created) and
// the lock file can be opened. ERROR_ACCESS_DENIED or ERROR_WRITE_FAULT, logged,
// when not.
RegistryStatus PrepareRegistryFile(const std::string& path);

// Applies edit to the settings as they are in the file now and saves the
// result (through a symbolic link, into the file it points at). A file that cannot be parsed is moved aside first; one
// that cannot be read (or moved aside) is left alone and nothing is saved. Failures are logged and returned as
// ERROR_ACCESS_DENIED, ERROR_READ_FAULT or ERROR_WRITE_FAULT.
RegistryStatus UpdateRegistryFile(const std::string& path, const std::function<void(RegistryData&)>& edit);
