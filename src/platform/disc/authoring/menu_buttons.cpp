#include "platform/disc/authoring/menu_buttons.h"

#include <algorithm>

#include "platform/disc/disc_text.h"

namespace {

int EvenDown(int value) {
  return value - (value & 1);
}
int EvenUp(int value) {
  return value + (value & 1);
}

}  // namespace

ButtonRect EvenButtonRect(int left, int top, int right, int bottom, int width, int height) {
  const int maxX = EvenDown(width - 1);
  const int maxY = EvenDown(height - 1);
  ButtonRect rect;
  rect.x0 = std::clamp(EvenDown(std::min(left, right)), 0, maxX);
  rect.y0 = std::clamp(EvenDown(std::min(top, bottom)), 0, maxY);
  rect.x1 = std::clamp(EvenUp(std::max(left, right)), rect.x0, maxX);
  rect.y1 = std::clamp(EvenUp(std::max(top, bottom)), rect.y0, maxY);
  return rect;
}

PaletteImage DrawButtonOutlines(int width, int height, const std::vector<ButtonRect>& buttons, PaletteColor color,
                                int lineWidth) {
  PaletteImage image(width, height, {PaletteColor{0, 0, 0, 0}, color});
  const int line = EvenUp(std::max(2, lineWidth));
  for (const auto& button : buttons) {
    for (int y = std::max(0, button.y0); y <= std::min(height - 1, button.y1); ++y) {
      const bool edgeRow = y < button.y0 + line || y > button.y1 - line;
      for (int x = std::max(0, button.x0); x <= std::min(width - 1, button.x1); ++x) {
        if (edgeRow || x < button.x0 + line || x > button.x1 - line) image.At(x, y) = 1;
      }
    }
  }
  return image;
}

std::optional<std::string> SpumuxXml(const std::string& highlightPng, const std::string& selectPng,
                                     const std::vector<ButtonRect>& buttons) {
  const auto highlight = XmlEscaped(highlightPng);
  const auto select = XmlEscaped(selectPng);
  if (!highlight || !select) return std::nullopt;
  std::string xml = "<subpictures>\n  <stream>\n";
  xml += "    <spu start=\"00:00:00.00\" force=\"yes\" highlight=\"" + *highlight + "\" select=\"" + *select + "\">\n";
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const auto& b = buttons[i];
    xml += "      <button name=\"b" + std::to_string(i + 1) + "\" x0=\"" + std::to_string(b.x0) + "\" y0=\"" +
           std::to_string(b.y0) + "\" x1=\"" + std::to_string(b.x1) + "\" y1=\"" + std::to_string(b.y1) + "\"/>\n";
  }
  xml += "    </spu>\n  </stream>\n</subpictures>\n";
  return xml;
}
