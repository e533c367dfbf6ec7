#pragma once
// Media and read-back helpers shared by the disc layer's tests.

#include <string>
#include <vector>

namespace disctest {

// A file name with everything that needs escaping somewhere: quotes, "&",
// "<>", a tab, a line break and non-ASCII letters.
extern const std::string kAwkwardName;

// Values of attribute on every element named element, in document order.
std::vector<std::string> XmlAttributeValues(const std::string& xml, const char* element, const char* attribute);

// A DVD title made by ffmpeg: "pal-dvd" or "ntsc-dvd", seconds long.
std::string MakeDvdTitle(const std::string& path, const std::string& target, double seconds = 1.0);

// A (Super) Video CD track made by ffmpeg: "pal-vcd", "ntsc-vcd", "pal-svcd".
std::string MakeVideoCdTrack(const std::string& path, const std::string& target, double seconds);

// Builds a DVD folder "<work>/DVD" through the image builder from titles made
// here; with a menu when there are two or more. Returns the DVD folder.
std::string BuildDvdFolder(const std::string& scratch, const std::string& work, const std::vector<double>& seconds,
                           const std::string& target = "pal-dvd");

// A menu background as the main window writes one: a few 720 x height
// MPEG-2 frames in a plain MPEG program stream (not DVD-muxed).
std::string MakeMenuBackground(const std::string& path, int height);

// Writes a menu description for the titles, one row per title, as the main
// window lays it out (CR LF line ends, quoted names).
void WriteMenuDescription(const std::string& path, const std::string& menuVideo, const std::vector<std::string>& titles,
                          int height);

// Title lengths in seconds as lsdvd reads them from a DVD folder or image;
// empty when lsdvd cannot read it.
std::vector<double> LsdvdTitleLengths(const std::string& dvd);

struct AuthoredMenu {
  int buttons = 0;
  std::vector<std::string> buttonCommands;  // "jump title 1;", ...
  int titlesReturningToMenu = 0;
};
// What dvdunauthor reads back from the title menu of a DVD folder.
AuthoredMenu ReadBackMenu(const std::string& dvdFolder, const std::string& scratchFolder);

// A small, nearly empty file system (tmpfs) mounted on a new folder, for runs
// that fill the disk. Mounting needs the right to (root outside a locked-down
// container); where it cannot be had, Mounted() is false and Why() says why.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& folder, const std::string& size);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool Mounted() const { return m_mounted; }
  const std::string& Why() const { return m_why; }
  // Every file and folder in it.
  std::vector<std::string> Entries() const;

 private:
  std::string m_folder;
  bool m_mounted = false;
  std::string m_why;
};

}  // namespace disctest
