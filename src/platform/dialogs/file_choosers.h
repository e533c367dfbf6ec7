#pragma once
// The open-file and folder choosers as typed requests (AskDialog).

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs/message_box.h"

// One entry of a chooser's type list: "AVI Files (*.avi)" with {"*.avi"}.
struct FileFilter {
  std::string description;
  std::vector<std::string> patterns;

  bool operator==(const FileFilter&) const = default;
};

// The filter text of the Windows choosers, "Text|*.a;*.b|Text|*.c|", as a list.
// Patterns are trimmed ("*.mov; *.qt" gives "*.mov" and "*.qt"); an entry
// without patterns is dropped.
std::vector<FileFilter> FileFiltersFromText(std::string_view text);

// The choosers see file names as text: bytes that are no UTF-8 (a name from
// an old disc or another system) show as U+FFFD and the path they answer
// with names no file. This gives back the file system's own bytes: each part
// of shown that does not exist as written is looked up among its folder's
// entries by how the chooser shows them. A part that matches no entry, or
// more than one, leaves shown unchanged.
std::string PathBytesOfShownPath(const std::string& shown);

struct OpenFilesAnswer {
  std::vector<std::string> files;  // full paths, in the order chosen
};

// Existing files only. Answered IDOK with at least one file, else IDCANCEL.
struct OpenFilesRequest {
  static constexpr const char* kName = "OpenFiles";
  using Answer = OpenFilesAnswer;

  std::string caption;  // "" for the chooser's own
  std::vector<FileFilter> filters;
  bool multiSelect = false;
  std::string startFolder;  // "" for the chooser's own choice
};

struct BrowseFolderAnswer {
  std::string folder;  // full path, without a trailing '/'
};

// Answered IDOK with a folder, else IDCANCEL.
struct BrowseFolderRequest {
  static constexpr const char* kName = "BrowseFolder";
  using Answer = BrowseFolderAnswer;

  std::string caption;
  std::string startFolder;
};
