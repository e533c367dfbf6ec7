#pragma once
// OutputFormat: one output format as the ffmpeg engine sees it - its names
// for the command line, the output file and the settings, and the user's
// current encoding choices as indices into the format's tables. The settings
// page that edits those choices derives from it (format_pages.h) and creates
// its widget only while the settings sheet shows it.
//
// Stored indices are never checked where they are set or loaded; they are
// brought into range where they are used (GetEncodingParameters).

#include <QtGlobal>
#include <cstdint>
#include <string>

#include "formats/encoding_parameters.h"
#include "formats/encoding_tables.h"
#include "formats/output_format_id.h"
#include "formats/settings_page.h"

class CRegistry;

class OutputFormat : public SettingsPage {
 public:
  // Logs "OutputFormat constructor with ID: <templateId>". The page classes
  // then apply ResetToDefaults, so every object starts from its own defaults.
  OutputFormat(int templateId, OutputFormatId formatId);
  int TemplateId() const { return m_nTemplateId; }

  // "AVI" ... "SVCD": the prefix of the format's stored values and its page
  // title; null for an unknown id.
  const char* GetOutputFormat() const;
  // ffmpeg's -f: "avi", "mpeg" or "vob" (MPEG1 or MPEG2), "asf", "rm", "dvd",
  // "vcd", "svcd". Unknown id: shows "Output File Type Unknown", null.
  const char* GetFormatMuxer() const;
  // ".avi", ".mpg", ".wmv", ".rm"; the disc formats write ".mpg". Unknown id:
  // shows "Output File Type Unknown", null.
  const char* GetFileExt() const;
  // The ffmpeg target family: "dvd", "vcd", "svcd"; null for file formats.
  const char* GetType() const;
  // From video_aspect_id: null for 0 (Auto) and unknown values, "4:3", "16:9".
  const char* GetVideoAspectRatio() const;

  virtual bool IsAudioFormat() const;
  // Sets has_video and has_audio, a sample rate of 0 and the format's default
  // indices; the aspect index only for the disc formats.
  virtual void ResetToDefaults();

  // The tables the current choices select (format, AVI codec, TV standard,
  // DVD audio codec); ask again after such a choice changes. An audio-only
  // format has no video rows; an unknown id has no codec rows (and shows
  // "Output File Type Unknown").
  const CodecTable& GetVideoCodecTable() const;
  const CodecTable& GetAudioCodecTable() const;
  const BitRateTable& GetVideoBitRateTable() const;
  const FrameSizeTable& GetVideoFrameSizeTable() const;
  const BitRateTable& GetAudioBitRateTable() const;
  const FrameRateTable& GetVideoFrameRateTable() const;

  // The quantiser for slider_pos: 31 at 0 ... 1 at 9, 0 (none) otherwise.
  std::int32_t GetVideoQuality() const;

  // The encoder settings for the current choices, indices brought into range
  // on copies (the members stay as they are); both steps are logged.
  EncodingParameters GetEncodingParameters() const;

  // Loads or saves the eight choices as "<type name> Video Bit Rate" ...
  // "<type name> Audio Channels" (the video ones only for a format with
  // video). Does nothing when the store is not open.
  void UpdateRegistryData(CRegistry& store);

  // The settings page (output_format_page.cpp) -------------------------------

  // The type name ("AVI" ... "SVCD").
  std::string Title() const override;
  // The "Video" and "Audio" groups with a drop-down list per choice, and
  // "Using FFmpeg".
  const PageTemplate& Template() const override;
  // Shows the members (the lists are still empty), then fills the lists.
  bool OnInitDialog() override;
  // Refills the page's lists from the tables the members select. With restore
  // the lists' choices are read first and each is kept when the new list still
  // has its row, else it moves to the last row.
  void UpdateSettingsValues(bool restore);
  // A change of the AVI video codec, a disc TV standard or the DVD audio codec
  // gives other lists other rows: they are refilled.
  void OnSelChange(int id) override;
  void DoDataExchange(bool save) override;

  // The choices; the *_id members index the format's tables.
  std::int32_t has_video = 0;
  std::int32_t video_codec_id = 0;  // the TV standard for disc formats: 0 NTSC, 1 PAL, 2 SECAM (VCD)
  std::int32_t video_bitrate_id = 0;
  std::int32_t video_framerate_id = 0;
  std::int32_t video_framesize_id = 0;
  std::int32_t video_aspect_id = 0;  // 0 Auto, 1 "4:3", 2 "16:9"; disc formats only
  std::int32_t has_audio = 0;
  std::int32_t audio_codec_id = 0;
  std::int32_t audio_bitrate_id = 0;
  std::int32_t audio_channels_id = 0;  // 0 Mono, 1 Stereo
  std::int32_t audio_samplerate = 0;   // Hz; 0 keeps the source rate
  // DVD only: 0 a multichannel sound track stays multichannel (AC-3, as the
  // source), 1 every track is mixed down to audio_channels_id.
  std::int32_t audio_multichannel_id = 0;
  OutputFormatId format_id;
  std::int32_t slider_pos = 0;  // the main window's quality slider, copied in before a conversion
  // The disc size a disc page shows and edits (DVD: 0 DVD-5, 1 DVD-9; VCD and
  // SVCD: 0 650 MB, 1 700 MB, 2 800 MB). The window's setting, copied in
  // before the sheet opens and taken back when it is confirmed; not stored
  // with the format.
  std::int32_t disc_size_id = 0;
  // DVD: the chapter interval in minutes, 0 for none (one chapter a title);
  // the row of the page's list is the number. The window's setting, copied
  // in and taken back as the disc size is.
  std::int32_t chapter_minutes = 5;

 protected:
  // False for an audio-only output, whose video tables are empty. Apart from
  // IsAudioFormat so that the table getters log only their own entry line.
  virtual bool HasVideoTables() const { return true; }

 private:
  int m_nTemplateId;
};

// An output without video: its video tables are empty and GetEncodingParameters
// gives a record without video. No flow creates one yet.
class AudioOutputFormat : public OutputFormat {
 public:
  // Starts from the defaults, as the pages do.
  AudioOutputFormat(int templateId, OutputFormatId formatId);
  bool IsAudioFormat() const override;
  void ResetToDefaults() override;

 protected:
  bool HasVideoTables() const override { return false; }
};

// The message shown for a format id outside 0..6.
inline constexpr const char* kOutputFileTypeUnknown = QT_TRANSLATE_NOOP("UserText", "Output File Type Unknown");
