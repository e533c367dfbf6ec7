#pragma once
// Turns a stored picture by its display matrix's quarter turns.

#include "platform/video/video_frame.h"

// into = stored turned clockwise by degrees (0, 90, 180 or 270).
void TurnUpright(const VideoFrame& stored, int degrees, VideoFrame& into);
