#pragma once
// Errors of the video library. Every failing call raises a video_exception
// whose text says what failed and why (FFmpeg's reason where there is one).

#include <string>

#include "support/exceptions.h"

class video_exception : public peravel_exception {
 public:
  explicit video_exception(const std::string& message) : peravel_exception(message) {}
};

// FFmpeg's text for an error code ("Invalid data found when processing input").
std::string AvErrorText(int error);

// Returns error when it is not negative; otherwise throws "what: reason".
int CheckAv(int error, const std::string& what);

// FFmpeg prints its warnings about the files it reads ("start time for stream 0
// is not set") to stderr; they mean nothing to a user of the program, which
// reports its own errors. After this call only FFmpeg's errors are printed.
void PrintOnlyLibraryErrors();
