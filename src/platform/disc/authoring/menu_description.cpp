#include "platform/disc/authoring/menu_description.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/disc/disc_text.h"

namespace {

using Section = std::map<std::string, std::string>;

std::string Trim(std::string_view text) {
  return std::string(TrimBlanks(text));
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

// A value that opens a quote it does not close: a name a line break has cut.
bool CutByLineBreak(const std::string& value) {
  return !value.empty() && value.front() == '"' && (value.size() < 2 || value.back() != '"');
}

bool HoldsLineBreak(const std::string& name) {
  return name.find_first_of("\r\n") != std::string::npos;
}

constexpr const char* kLineBreakText = "a file name with a line break cannot go into the DVD menu";

std::optional<int> Number(std::string_view text) {
  const std::string trimmed = Trim(text);
  int value = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (error != std::errc() || end != trimmed.data() + trimmed.size()) return std::nullopt;
  return value;
}

std::optional<std::pair<int, int>> Point(const std::string& text) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto x = Number(std::string_view(text).substr(0, comma));
  const auto y = Number(std::string_view(text).substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return std::make_pair(*x, *y);
}

std::map<std::string, Section> Sections(std::string_view text) {
  std::map<std::string, Section> sections;
  std::string current;
  std::size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = Lower(Trim(std::string_view(line).substr(1, line.size() - 2)));
      sections[current];
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    sections[current][Lower(Trim(std::string_view(line).substr(0, equals)))] =
        Trim(std::string_view(line).substr(equals + 1));
  }
  return sections;
}

std::nullopt_t Fail(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
  return std::nullopt;
}

}  // namespace

std::optional<MenuDescription> ParseMenuDescription(std::string_view text, std::string* error) {
  // A byte-order mark from an editor is not part of the first section's name.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const auto sections = Sections(text);
  const auto infos = sections.find("infos");
  if (infos == sections.end()) return Fail(error, "no [Infos] section");
  const auto selections = infos->second.find("selections");
  const auto count = selections == infos->second.end() ? std::nullopt : Number(selections->second);
  if (!count || *count < 1 || *count > 99) return Fail(error, "no usable Selections= value");
  const auto menu = infos->second.find("menu");
  if (menu == infos->second.end() || Unquoted(menu->second).empty()) return Fail(error, "no menu= video");
  if (CutByLineBreak(menu->second)) return Fail(error, std::string("menu=: ") + kLineBreakText);

  MenuDescription description;
  description.menuVideo = Unquoted(menu->second);
  for (int i = 0; i < *count; ++i) {
    const std::string name = std::to_string(i);
    const auto section = sections.find(name);
    if (section == sections.end()) return Fail(error, "no section [" + name + "]");
    const Section& values = section->second;
    auto value = [&](const char* key) {
      const auto found = values.find(key);
      return found == values.end() ? std::string() : found->second;
    };
    const auto topLeft = Point(value("topleft"));
    const auto rightBottom = Point(value("rightbottom"));
    if (!topLeft || !rightBottom || rightBottom->first <= topLeft->first || rightBottom->second <= topLeft->second) {
      return Fail(error, "section [" + name + "] has no usable TopLeft/RightBottom");
    }
    MenuTitle title;
    title.left = topLeft->first;
    title.top = topLeft->second;
    title.right = rightBottom->first;
    title.bottom = rightBottom->second;
    title.lineWidth = std::max(1, Number(value("linewidth")).value_or(1));
    if (CutByLineBreak(value("file"))) return Fail(error, "section [" + name + "] file=: " + kLineBreakText);
    title.file = Unquoted(value("file"));
    if (title.file.empty()) return Fail(error, "section [" + name + "] names no file");
    description.titles.push_back(std::move(title));
  }
  return description;
}

std::optional<std::string> MenuDescriptionText(const MenuDescription& description, std::string* error) {
  if (HoldsLineBreak(description.menuVideo)) return Fail(error, kLineBreakText + (": " + description.menuVideo));
  std::ostringstream text;
  text << "[Infos]\r\nSelections=" << description.titles.size() << "\r\nmenu=\"" << description.menuVideo
       << "\"\r\n\r\n";
  for (std::size_t i = 0; i < description.titles.size(); ++i) {
    const MenuTitle& title = description.titles[i];
    if (HoldsLineBreak(title.file)) return Fail(error, kLineBreakText + (": " + title.file));
    text << "[" << i << "]\r\nTopLeft=" << title.left << "," << title.top << "\r\nRightBottom=" << title.right << ","
         << title.bottom << "\r\nWidth=" << title.right - title.left << "\r\nHeight=" << title.bottom - title.top
         << "\r\nfile=\"" << title.file << "\"\r\nLineWidth=" << title.lineWidth << "\r\n\r\n";
  }
  return text.str();
}

std::optional<MenuDescription> LoadMenuDescription(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(error, "cannot open " + path);
  std::ostringstream text;
  text << in.rdbuf();
  auto description = ParseMenuDescription(text.str(), error);
  if (!description) return std::nullopt;
  // The tools run in a folder of their own: make every name absolute now.
  std::error_code ignored;
  description->menuVideo = std::filesystem::absolute(description->menuVideo, ignored).string();
  for (auto& title : description->titles) title.file = std::filesystem::absolute(title.file, ignored).string();
  return description;
}
