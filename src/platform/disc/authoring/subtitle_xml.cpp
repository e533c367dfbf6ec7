#include "platform/disc/authoring/subtitle_xml.h"

#include "platform/disc/disc_text.h"

std::optional<std::string> TextSubtitleXml(const std::string& subripFile, const TextSubtitleStyle& style) {
  const auto file = XmlEscaped(subripFile);
  if (!file) return std::nullopt;
  const bool ntsc = style.standard == VideoStandard::Ntsc;
  const int height = ntsc ? 480 : 576;
  // Title-safe: a tenth of the frame on every side.
  const int sideMargin = 72;
  const int bottomMargin = height / 10;
  const std::string fps = ntsc ? "29.97" : "25";
  std::string xml = "<subpictures format=\"" + std::string(ntsc ? "NTSC" : "PAL") + "\">\n  <stream>\n";
  xml += "    <textsub filename=\"" + *file + "\" characterset=\"UTF-8\" font=\"" + kSubtitleFont +
         "\" fontsize=\"28.0\" fill-color=\"white\" outline-color=\"black\" outline-thickness=\"3.0\""
         " horizontal-alignment=\"center\" vertical-alignment=\"bottom\"" +
         " left-margin=\"" + std::to_string(sideMargin) + "\" right-margin=\"" + std::to_string(sideMargin) +
         "\" top-margin=\"" + std::to_string(bottomMargin) + "\" bottom-margin=\"" + std::to_string(bottomMargin) +
         "\" subtitle-fps=\"" + fps + "\" movie-fps=\"" + fps + "\" movie-width=\"720\" movie-height=\"" +
         std::to_string(height) + "\" force=\"no\"/>\n";
  xml += "  </stream>\n</subpictures>\n";
  return xml;
}
