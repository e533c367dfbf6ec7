#include "platform/disc/authoring/dvdauthor_xml.h"

#include "platform/disc/disc_text.h"

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
  for (const auto& title : project.titles) {
    const auto file = XmlEscaped(title);
    if (!file) return std::nullopt;
    xml += "  <titleset>\n    <titles>\n      <pgc>\n";
    xml += "        <vob file=\"" + *file + "\"/>\n";
    if (withMenu) xml += "        <post>call vmgm menu 1;</post>\n";
    xml += "      </pgc>\n    </titles>\n  </titleset>\n";
  }
  xml += "</dvdauthor>\n";
  return xml;
}
