#pragma once
// An "ffmpeg" that always fails, found first on the search path while it
// lives: the conversions hand their files to the library engine.

#include "common/fake_ffmpeg.h"

class FailingFfmpeg : public FakeFfmpeg {
 public:
  explicit FailingFfmpeg(const testkit::TempDir& dir) : FakeFfmpeg(dir, "echo 'Conversion failed!' >&2\nexit 1") {}
};
