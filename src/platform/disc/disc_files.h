#pragma once
// File chores of the disc layer: private work folders, removing them in the
// background, and Windows-style names found on a case-sensitive file system.
// (Output names that never replace a file: output_reservation.h.)

#include <string>
#include <vector>

// Creates "<parent>/<prefix>XXXXXX" with a unique suffix, readable only by us;
// "" (error set) on failure.
std::string MakePrivateFolder(const std::string& parent, const std::string& prefix, std::string* error);

// Removes a folder of ours with everything in it on a background thread, so
// that the caller does not wait for the file system (deleting files that were
// just written can wait for their write-back). Removals still pending at the
// end of the process are finished before it exits.
void RemoveFolderLater(const std::string& path);
// Waits until every removal asked for so far is done.
void FinishFolderRemovals();

// Opens a folder and locks it (flock) until the descriptor is closed or the
// process ends; -1 when it cannot be opened or, with wait false, when another
// holder (another process, or another descriptor of this one) has the lock.
// Work folders carry such a lock so that a later run can tell the leftovers
// of a dead process from the folders of a live one.
int LockFolder(const std::string& path, bool wait);

// Renames from to to unless to exists; errno EEXIST (or ENOTEMPTY) when it does.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Writes text to path (created or truncated); false with error set.
bool WriteTextFile(const std::string& path, const std::string& text, std::string* error);

// path itself when it exists; otherwise the existing path whose components
// equal path's ignoring ASCII case ("DVD/Video_Ts" finds "DVD/VIDEO_TS");
// "" when there is none or more than one.
std::string FindPathIgnoringCase(const std::string& path);
