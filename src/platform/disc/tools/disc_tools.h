#pragma once
// The disc programs this layer runs. Each is looked up once, on first use,
// and its path and version are logged; a missing program is remembered as
// such, so the operation that needs it fails with a clear text instead of a
// failed start.

#include <string>
#include <string_view>

enum class DiscTool { Dvdauthor, Spumux, Genisoimage, Vcdxgen, Vcdxbuild, Xorriso, Growisofs, Cdrdao, Ffmpeg, Count };

struct DiscToolInfo {
  DiscTool tool = DiscTool::Count;
  std::string name;     // program name, e.g. "dvdauthor"
  std::string package;  // Debian package that installs it
  std::string path;     // "" when the program was not found
  std::string version;  // "" when unknown

  bool Found() const { return !path.empty(); }
};

// The program's entry, locating every program on the first call.
DiscToolInfo GetDiscTool(DiscTool tool);

// Looks every program up again and logs what was found (after PATH changed).
void LocateDiscTools();

// "genisoimage was not found; install the Debian package genisoimage."
std::string MissingToolText(DiscTool tool);

// The version number in the first line a program prints about itself
// ("DVDAuthor::dvdauthor, version 0.7.2." gives "0.7.2"); "" if none.
std::string ParseToolVersion(std::string_view output);
