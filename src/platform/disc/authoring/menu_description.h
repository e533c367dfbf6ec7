#pragma once
// The DVD menu description the main window writes for the image builder:
//   [Infos]
//   Selections=3
//   menu="/out/foxdvdmenu.mpg"
//
//   [0]
//   TopLeft=290,112
//   RightBottom=430,160
//   Width=140
//   Height=49
//   file="/work/clip_new.mpg"
//   LineWidth=1
// and so on for every title. Quoted values keep everything between the first
// and the last quote, so names holding quotes survive. A name cannot hold a
// line break: the writer refuses one, and the reader refuses a quoted value
// that a line break has cut (its closing quote is missing).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MenuTitle {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int lineWidth = 1;
  std::string file;
};

struct MenuDescription {
  std::string menuVideo;
  std::vector<MenuTitle> titles;
};

// nullopt, with the reason in error, when the text is not a usable description.
std::optional<MenuDescription> ParseMenuDescription(std::string_view text, std::string* error);

// The description's text as the builder reads it (CR LF line ends, quoted
// names, Width and Height from the rectangle). nullopt, with the reason in
// error, for a name that a line of it cannot hold (a line break in it).
std::optional<std::string> MenuDescriptionText(const MenuDescription& description, std::string* error);

// Reads and parses the file; relative names in it are taken from the current folder.
std::optional<MenuDescription> LoadMenuDescription(const std::string& path, std::string* error);
