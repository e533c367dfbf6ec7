#pragma once
// How the settings pages show table rows.

#include <QtGlobal>
#include <cstdint>
#include <string>

#include "formats/encoding_tables.h"

// "2500 kbps": the rate divided by 1000, whole kilobits.
std::string BitRateText(std::int32_t bitsPerSecond);
// "29.97 fps": numerator / denominator with two decimals.
std::string FrameRateText(const FrameRateEntry& rate);
// "720 x 576", or "Original Size" for the row 0 x 0.
std::string FrameSizeText(const FrameSizeEntry& size);

// The fixed rows of the aspect-ratio and channel lists, by index.
inline constexpr const char* kAspectRatioTexts[] = {QT_TRANSLATE_NOOP("UserText", "Auto"), "4:3", "16:9"};
inline constexpr const char* kAudioChannelTexts[] = {QT_TRANSLATE_NOOP("UserText", "Mono"),
                                                     QT_TRANSLATE_NOOP("UserText", "Stereo")};
// How a DVD keeps multichannel sound, by audio_multichannel_id.
inline constexpr const char* kMultichannelTexts[] = {QT_TRANSLATE_NOOP("UserText", "As the source"),
                                                     QT_TRANSLATE_NOOP("UserText", "Stereo")};
