#include "platform/disc/authoring/dvdauthor_xml.h"

#include <cctype>
#include <cstdio>

#include "platform/disc/disc_text.h"

std::string ChapterMarks(long long durationMs, int intervalSeconds) {
  if (intervalSeconds <= 0 || durationMs <= 0) return "";
  std::string marks;
  for (long long second = 0; second * 1000 < durationMs; second += intervalSeconds) {
    char mark[32];
    std::snprintf(mark, sizeof mark, "%s%lld:%02lld:%02lld", marks.empty() ? "" : ",", second / 3600, second / 60 % 60,
                  second % 60);
    marks += mark;
  }
  return marks;
}

namespace {

// One element per stream up to the last one with a language: dvdauthor
// numbers them in stream order and finds the formats itself.
std::string StreamElements(const char* element, const std::vector<std::string>& languages) {
  std::size_t count = languages.size();
  while (count > 0 && languages[count - 1].empty()) --count;
  std::string xml;
  for (std::size_t i = 0; i < count; ++i) {
    // Only two ASCII letters are a code; anything else is left out.
    const std::string& code = languages[i];
    const bool valid = code.size() == 2 && std::isalpha(static_cast<unsigned char>(code[0])) &&
                       std::isalpha(static_cast<unsigned char>(code[1]));
    xml += std::string("      <") + element + (valid ? " lang=\"" + code + "\"" : std::string()) + "/>\n";
  }
  return xml;
}

}  // namespace

std::optional<std::string> DvdauthorXml(const DvdauthorProject& project) {
  const std::string format = project.standard == VideoStandard::Ntsc ? "ntsc" : "pal";
  const auto destination = XmlEscaped(project.destination);
  if (!destination) return std::nullopt;
  const bool withMenu = !project.menuVideo.empty();

  std::string xml = "<dvdauthor dest=\"" + *destination + "\" format=\"" + format + "\">\n";
  if (withMenu) {
    const auto menu = XmlEscaped(project.menuVideo);
    if (!menu) return std::nullopt;
    xml += "  <vmgm>\n    <menus>\n";
    xml += "      <video format=\"" + format + "\" aspect=\"4:3\"/>\n";
    xml += "      <pgc entry=\"title\">\n";
    // The menu is a still: hold its last picture until a button is chosen.
    xml += "        <vob file=\"" + *menu + "\" pause=\"inf\"/>\n";
    for (std::size_t i = 1; i <= project.titles.size(); ++i) {
      xml += "        <button name=\"b" + std::to_string(i) + "\">jump title " + std::to_string(i) + ";</button>\n";
    }
    xml += "      </pgc>\n    </menus>\n  </vmgm>\n";
  } else {
    xml += "  <vmgm/>\n";
  }
  for (std::size_t i = 0; i < project.titles.size(); ++i) {
    const auto file = XmlEscaped(project.titles[i]);
    if (!file) return std::nullopt;
    const long long duration = i < project.titleDurationsMs.size() ? project.titleDurationsMs[i] : 0;
    const std::string chapters = ChapterMarks(duration, project.chapterSeconds);
    const std::string aspect = i < project.titleAspects.size() ? project.titleAspects[i] : "";
    xml += "  <titleset>\n    <titles>\n";
    if (!aspect.empty()) xml += "      <video format=\"" + format + "\" aspect=\"" + aspect + "\"/>\n";
    if (i < project.titleSoundLanguages.size()) xml += StreamElements("audio", project.titleSoundLanguages[i]);
    if (i < project.titleSubtitleLanguages.size()) {
      xml += StreamElements("subpicture", project.titleSubtitleLanguages[i]);
    }
    xml += "      <pgc>\n";
    xml += "        <vob file=\"" + *file + "\"" + (chapters.empty() ? "" : " chapters=\"" + chapters + "\"") + "/>\n";
    if (withMenu) xml += "        <post>call vmgm menu 1;</post>\n";
    xml += "      </pgc>\n    </titles>\n  </titleset>\n";
  }
  xml += "</dvdauthor>\n";
  return xml;
}
