#pragma once
// The main window's controls by id. The core names a control by these numbers
// only; the dialog widget gives each widget its number (GetDlgItem).

namespace control_id {

inline constexpr int kFilesList = 1048;
inline constexpr int kAddFile = 1001;
inline constexpr int kRemoveFile = 1049;

// The labels of the four info texts and the texts themselves.
inline constexpr int kCodecLabel = 1050;
inline constexpr int kDurationLabel = 1051;
inline constexpr int kFrameRateLabel = 1052;
inline constexpr int kBitRateLabel = 1053;
inline constexpr int kCodecName = 1026;
inline constexpr int kDuration = 1029;
// Under the four facts: how many sound and subtitle tracks the file has.
inline constexpr int kTracks = 1070;
inline constexpr int kFrameRate = 1028;
inline constexpr int kBitRate = 1027;

// The format radios, in format id order AVI ... SVCD (see kFormatRadios).
inline constexpr int kRadioAvi = 1002;
inline constexpr int kRadioMpeg = 1003;
inline constexpr int kRadioWmv = 1004;
inline constexpr int kRadioRm = 1005;
inline constexpr int kRadioDvd = 1006;
inline constexpr int kRadioVcd = 1007;
inline constexpr int kRadioSvcd = 1042;

inline constexpr int kQualitySlider = 1014;
inline constexpr int kLowQualityLabel = 1017;
inline constexpr int kHighQualityLabel = 1018;
inline constexpr int kAsSource = 1016;
inline constexpr int kAdvanced = 1015;
inline constexpr int kSettings = 1011;
inline constexpr int kHelp = 1009;
inline constexpr int kConvert = 1008;
inline constexpr int kProgress = 1010;
inline constexpr int kCompleted = 1030;
inline constexpr int kStatus = 1035;
inline constexpr int kSelectFolder = 1054;
inline constexpr int kOutputFolder = 1055;
inline constexpr int kPlayerSlider = 1039;
inline constexpr int kPlay = 1040;
inline constexpr int kStop = 1023;
inline constexpr int kCopyDvd = 1060;
inline constexpr int kConvertVideo = 1061;
inline constexpr int kRipDvd = 1062;
// The gauge under the list: how full the disc will be.
inline constexpr int kDiscGauge = 1071;

// The radio of each format id (OutputFormatId 0..6).
inline constexpr int kFormatRadios[] = {kRadioAvi, kRadioMpeg, kRadioWmv, kRadioRm, kRadioDvd, kRadioVcd, kRadioSvcd};

}  // namespace control_id
