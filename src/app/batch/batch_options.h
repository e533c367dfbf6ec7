#pragma once
// The command line of the program's batch mode:
//   orlenta --batch --format dvd|vcd|svcd|avi|mpeg|wmv|rm [--output DIR]
//           [--device N|--image] [--quality 0-9] [--pal|--ntsc] [--select N]
//           [--yes] [--jobs N] [--disc-size SIZE] [--plan] [--title N=TEXT]...
//           [--chapters MIN] [--] FILE...
// read with Qt's parser (GNU conventions: long options, --help, --version,
// "--" ends the options).

#include <QStringList>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/output_format_id.h"

struct BatchOptions {
  OutputFormatId format = kFormatDvd;
  std::string outputFolder;        // "" keeps the stored one
  std::optional<int> device;       // index into the burner's device list
  bool image = false;              // the burner's image writer
  std::optional<int> quality;      // the quality slider, 0..9
  std::optional<int> discType;     // 0 NTSC, 1 PAL
  std::optional<int> selection;    // 0-based: the file a VCD/SVCD job converts
  bool yes = false;                // answer OK/Continue to every question
  std::optional<int> jobs;         // files converted at once, 0 from the processors; nullopt: the stored setting
  std::optional<int> dvdDiscSize;  // 0 DVD-5, 1 DVD-9; nullopt: the stored setting
  std::optional<int> cdDiscSize;   // 0 650 MB, 1 700 MB, 2 800 MB
  bool plan = false;               // print the disc plan and end without converting
  // DVD: the menu texts of titles by their number (1 = the first file), and
  // the chapter interval in minutes (0: one chapter a title).
  std::vector<std::pair<int, std::string>> titles;
  std::optional<int> chapterMinutes;
  std::vector<std::string> files;
};

struct BatchCommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::UsageError;
  BatchOptions options;
  // The help or version text (for stdout), or the usage error (for stderr).
  std::string text;
};

// Exit codes of the batch mode.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;  // 128 + SIGINT, as shells report it

// arguments: the whole command line, the program first.
BatchCommandLine ParseBatchCommandLine(const QStringList& arguments);
// The same from the bytes of the command line: a file or folder name that is
// not UTF-8 (a name from an old disc or another system) reaches the options
// with its bytes unchanged, so that it still opens.
BatchCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments);

// True when the command line asks for the command-line front end rather
// than the window: an option (anything starting with '-') before a "--".
// The window takes files and no options.
bool WantsCommandLine(const std::vector<std::string>& arguments);

// The files the window lists, in their order and as their bytes: every
// argument after the program's name but the first "--" (which lets a name
// start with '-').
std::vector<std::string> WindowCommandLineFiles(const std::vector<std::string>& arguments);

// The format's name on the command line ("dvd", ...).
const char* BatchFormatName(OutputFormatId format);
