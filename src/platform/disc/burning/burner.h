#pragma once
// The burner: writes one project at a time (a DVD-Video folder, or (Super)
// Video CD tracks, or a cue sheet) to a disc drive or, through the image
// writer, to an image file in a folder the program names. Every operation
// that returns an int returns 0 for success or an error code (texts in
// disc/burning_errors.h). Burn returns 23 when the drive holds no disc and 21
// when the disc is not blank. Callbacks run on threads of the burner, never
// on the caller's.
//
// A DVD:   DeleteProject(); CreateProject(BS_BURNER_VIDEODVD); GetOptions(&o);
//          (label) SetOptions(o); AddDir(folder); GetDevices(list, &n, 1);
//          SetDevice(list[i][0]); Prepare(); Burn();  ... burn done callback
// A VCD:   CreateProject(BS_BURNER_VCD); AddFile(file) ... scan done callback;
//          GetDevices; SetDevice; Prepare(); Burn(); ... burn done; ClearAll()
//
// Devices: every drive /dev/sr* ("A: VENDOR MODEL (/dev/sr0)"), then any
// file-backed test drives named in ORLENTA_PSEUDO_DRIVES (paths separated by
// ':'; burnt through xorriso's stdio: drives; a backing file that is a
// symbolic link to nothing is an empty tray), then, always last, the image
// writer, which puts a DVD-Video ISO or a BIN/CUE pair into the folder given
// to SetImageWriterFolder and never replaces an existing file.

#include <cstddef>
#include <cstdint>

#include "platform/dialogs/message_box.h"

namespace burner {

// Project types.
inline constexpr int BS_BURNER_CUE = 1;
inline constexpr int BS_BURNER_VCD = 3;
inline constexpr int BS_BURNER_SVCD = 4;
inline constexpr int BS_BURNER_VIDEODVD = 5;

// Fields holding these values are left as they are by SetOptions.
inline constexpr const char* BS_NDEF = "BS_NDEF";
inline constexpr std::int32_t kUndefinedInt = -1;
inline constexpr std::uint8_t kUndefinedByte = 255;

// Result codes the callers act on.
inline constexpr int kNotBlank = 21;
inline constexpr int kNoMedium = 23;

// Options, 412 bytes, little-endian.
struct Options {
  char volumeLabel[128];     // 0: volume name of the disc or image
  std::int32_t writeSpeed;   // 128: x-speed; 0 = the drive's fastest
  std::uint8_t testWrite;    // 132: 1 = simulate, write nothing (real drives)
  std::uint8_t ejectAfter;   // 133: 1 = eject the disc when done (real drives)
  char publisher[260];       // 134: publisher named in the disc's file system
  std::uint8_t closeDisc;    // 394: 1 = close the disc (no later sessions); DVD-Video players want it closed
  std::uint8_t reserved395;  // 395..397: kept as given
  std::uint8_t reserved396;
  std::uint8_t reserved397;
  std::uint8_t padding398[2];
  std::int32_t albumVolumeCount;   // 400: (S)VCD album of this many discs; 0 = no album
  std::uint8_t albumVolumeNumber;  // 404: this disc's number in the album, 1-based
  std::uint8_t reserved405;
  std::uint8_t padding406[2];
  std::int32_t reserved408;
};
static_assert(sizeof(Options) == 412);
static_assert(offsetof(Options, writeSpeed) == 128 && offsetof(Options, testWrite) == 132 &&
              offsetof(Options, ejectAfter) == 133 && offsetof(Options, publisher) == 134 &&
              offsetof(Options, closeDisc) == 394 && offsetof(Options, reserved397) == 397 &&
              offsetof(Options, albumVolumeCount) == 400 && offsetof(Options, albumVolumeNumber) == 404 &&
              offsetof(Options, reserved405) == 405 && offsetof(Options, reserved408) == 408);

// A folder for AddDir, 544 bytes. In a VIDEODVD project sourcePath names the
// DVD's VIDEO_TS folder (any letter case) or the folder holding it; the disc
// gets that VIDEO_TS (and its AUDIO_TS) at its root.
struct FolderRecord {
  char sourcePath[260];        // 0
  char destinationPath[260];   // 260: "/" or "\" (the disc's root)
  char filePattern[12];        // 520: "*.*" or "*"
  std::int32_t attributeMask;  // 532: kept as given
  std::uint8_t flag;           // 536: kept as given
  std::uint8_t padding537[3];
  std::int32_t mode;  // 540: kept as given
};
static_assert(sizeof(FolderRecord) == 544);
static_assert(offsetof(FolderRecord, destinationPath) == 260 && offsetof(FolderRecord, filePattern) == 520 &&
              offsetof(FolderRecord, attributeMask) == 532 && offsetof(FolderRecord, flag) == 536 &&
              offsetof(FolderRecord, mode) == 540);

// A file for AddFile, 528 bytes: an MPEG track of a VCD/SVCD project (flag 1:
// scanned and checked first) or the cue sheet of a CUE project.
struct FileRecord {
  char sourcePath[260];       // 0
  char destinationPath[260];  // 260: "/" or "\"
  std::uint8_t flag;          // 520: 1 = a video track to scan
  std::uint8_t padding521[3];
  std::int32_t mode;  // 524: kept as given
};
static_assert(sizeof(FileRecord) == 528);
static_assert(offsetof(FileRecord, destinationPath) == 260 && offsetof(FileRecord, flag) == 520 &&
              offsetof(FileRecord, mode) == 524);

inline constexpr int kMaxDevices = 26;
inline constexpr int kDeviceNameSize = 50;
using DeviceName = char[kDeviceNameSize];

// Callbacks (user is the pointer given with the callback).
// percent of the whole burn 0-100; written and total megabytes (-1 unknown);
// the writer's fifo and buffer fill (-1 unknown); step of steps (making the
// image, writing it).
using ProcessEventCallback = void (*)(float percent, int writtenMegabytes, int totalMegabytes, int fifoPercent,
                                      int bufferPercent, int step, int steps, void* user);
// errorText is null on success; the text stays readable for the rest of the run.
using BurnDoneEventCallback = void (*)(const char* errorText, void* user);
using FinalizeEventCallback = void (*)(void* user);
// percent 0-100 of the file being scanned; fileIndex its 0-based place in the project.
using VideoScannerEventCallback = void (*)(float percent, int fileIndex, void* user);
// result 0 or the code AddFile's scan ended with; the stream's picture, rate
// (frames per 1000 s), bit rates in kbit/s, audio; its length and CD sectors.
using VideoScanDoneEventCallback = void (*)(int fileIndex, int result, int width, int height, int frameRateMilli,
                                            int videoKbps, int audioSampleRate, int audioChannels, int audioKbps,
                                            int durationMs, int sectors, void* user);

int Initialize();
int CreateProject(int type);
int DeleteProject();
int GetOptions(Options* options);
int SetOptions(Options options);
int AddDir(FolderRecord folder);
// Checks the file at once (15 when it does not fit the project's disc type,
// 16 when it cannot be read) and scans it on a burner thread: video scanner
// callbacks, then one scan done callback.
int AddFile(FileRecord file);
int GetDevices(DeviceName* devices, int* count, int flag);
int SetDevice(char id);
int Prepare();
// Returns once burning has started (0), or with the reason it did not.
int Burn();
// Ends a running burn (and a running scan) at once; burn done follows with
// "Operation aborted by user".
int Abort();
// Empties the project between two discs; keeps its type, options and device.
int ClearAll();
// The erase window: asks through the dialog responder (EraseDiscRequest,
// burning/erase_request.h: every erasable drive, the current device chosen
// in advance), then erases the chosen disc while process callbacks report
// progress. The answer may name another drive and ask for a full erase.
// Returns when done: 0, 24 not erasable, 23 no disc, 138 when the window
// was cancelled.
int EraseDialog(const char* caption);

void SetProcessEventCallback(ProcessEventCallback callback, void* user);
void SetBurnDoneEventCallback(BurnDoneEventCallback callback, void* user);
void SetFinalizeEventCallback(FinalizeEventCallback callback, void* user);
void SetVideoScannerEventCallback(VideoScannerEventCallback callback, void* user);
void SetVideoScanDoneEventCallback(VideoScanDoneEventCallback callback, void* user);
void ResetCallbacks();

// Linux additions.
// The folder the image writer writes into (the user's output folder): 0, or 9
// when it is not an existing folder.
int SetImageWriterFolder(const char* folder);
// The owner window of the erase window.
void SetDialogOwner(WindowHandle owner);
// Path of the image the last Burn call finished with the image writer (""
// when it finished none, or while it runs); for a BIN/CUE pair the cue sheet.
// Valid until the next Burn call.
const char* GetLastImagePath();
// The detailed reason of the last failure, for the log ("" after success).
// Valid until the next burner call.
const char* GetLastErrorText();

}  // namespace burner
