#pragma once
// The library engine's choices for the file formats: the main window's
// settings index these rows (m_nAVIFrameRate, m_nMPEGVideoBitRate, ...).

inline constexpr double kAviFrameRates[] = {10.00, 15.00, 20.00, 23.97, 24.00, 25.00, 29.97, 30.00};
inline constexpr double kMpegFrameRates[] = {23.97, 24.00, 25.00, 29.97, 30.00};
inline constexpr int kMpegVideoKbps[] = {750, 1150, 1950, 2376};
inline constexpr int kMpegAudioKbps[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};

// The AVI sound formats by m_nAVIAudioFormat.
inline constexpr const char* kAviAudioFormatNames[] = {"PCM", "MP3", "ADPCM", "ALAW", "ULAW", "GSM"};
