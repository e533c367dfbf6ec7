#pragma once
// A video stream's shape as libavformat reports it: storage size, sample
// aspect (the stream's, else the codec's) and the turn its display matrix
// asks for.

#include "support/picture_shape.h"

struct AVFormatContext;
struct AVStream;

SourceShape StreamShape(AVFormatContext* input, AVStream* stream);
