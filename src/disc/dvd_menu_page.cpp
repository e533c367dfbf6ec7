#include "disc/dvd_menu_page.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// 96 dots an inch, the page's resolution whatever the screen: points become
// the same pixels everywhere.
constexpr int kDotsPerMeter = 3780;
constexpr int kMenuFontWeight = 500;

QFont MenuFont(int points) {
  QFont font;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(std::max(1, points));
  font.setWeight(static_cast<QFont::Weight>(kMenuFontWeight));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void DrawFilmReel(QPainter& painter, QPointF centre, double radius) {
  QRadialGradient metal(centre, radius);
  metal.setColorAt(0.0, QColor(235, 238, 245));
  metal.setColorAt(0.7, QColor(160, 168, 185));
  metal.setColorAt(1.0, QColor(90, 98, 120));
  painter.setPen(QPen(QColor(40, 45, 60), 2));
  painter.setBrush(metal);
  painter.drawEllipse(centre, radius, radius);
  // The film wound on the reel, and the reel's hub.
  painter.setBrush(QColor(35, 30, 28));
  painter.drawEllipse(centre, radius * 0.72, radius * 0.72);
  painter.setBrush(QColor(200, 205, 215));
  painter.drawEllipse(centre, radius * 0.34, radius * 0.34);
  // The reel's window holes.
  painter.setBrush(QColor(25, 40, 90));
  for (int hole = 0; hole < 5; ++hole) {
    const double angle = hole * 2 * std::numbers::pi / 5 - std::numbers::pi / 2;
    const QPointF at(centre.x() + std::cos(angle) * radius * 0.52, centre.y() + std::sin(angle) * radius * 0.52);
    painter.drawEllipse(at, radius * 0.13, radius * 0.13);
  }
  painter.setBrush(QColor(40, 45, 60));
  painter.drawEllipse(centre, radius * 0.08, radius * 0.08);
}

// A strip of film leaving the reel and curling across the corner.
void DrawFilmStrip(QPainter& painter, QPointF from, int pageHeight) {
  QPainterPath curl(from);
  curl.cubicTo(from + QPointF(-40, 10), from + QPointF(-150, -90), from + QPointF(-175, 10));
  curl.cubicTo(from + QPointF(-195, 95), from + QPointF(-95, 115), from + QPointF(-120, pageHeight));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(20, 18, 16), 26, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  painter.drawPath(curl);
  // Sprocket holes along both edges of the strip.
  painter.setPen(QPen(QColor(215, 220, 230), 4, Qt::DotLine, Qt::FlatCap));
  for (const double side : {-8.5, 8.5}) {
    QPainterPath shifted;
    const int steps = 120;
    for (int step = 0; step <= steps; ++step) {
      const double at = static_cast<double>(step) / steps;
      const QPointF point = curl.pointAtPercent(at);
      const double angle = curl.angleAtPercent(at) * std::numbers::pi / 180;
      const QPointF normal(-std::sin(angle), -std::cos(angle));
      const QPointF onEdge = point + normal * side;
      if (step == 0) {
        shifted.moveTo(onEdge);
      } else {
        shifted.lineTo(onEdge);
      }
    }
    painter.drawPath(shifted);
  }
}

void DrawBackground(QPainter& painter, int width, int height) {
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(120, 170, 235));
  sky.setColorAt(0.35, QColor(40, 85, 170));
  sky.setColorAt(1.0, QColor(8, 20, 70));
  painter.fillRect(0, 0, width, height, sky);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double radius = height * 0.17;
  const QPointF reel(width - radius - 18, height - radius - 18);
  DrawFilmStrip(painter, reel + QPointF(-radius * 0.6, radius * 0.35), height);
  DrawFilmReel(painter, reel, radius);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

// Text with a dark copy offset behind it: black at rect + offset, then white.
void DrawShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text, QPoint blackOffset,
                      QPoint whiteOffset) {
  painter.setPen(Qt::black);
  painter.drawText(rect.translated(blackOffset), flags, text);
  painter.setPen(Qt::white);
  painter.drawText(rect.translated(whiteOffset), flags, text);
}

}  // namespace

std::string MenuTitleOf(const std::string& path) {
  const auto slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

MenuPage DrawMenuPage(const std::vector<std::string>& titles, VideoStandard standard) {
  MenuPage page;
  const int height = FrameHeight(standard);
  page.picture = QImage(kMenuPageWidth, height, QImage::Format_RGB32);
  page.picture.setDotsPerMeterX(kDotsPerMeter);
  page.picture.setDotsPerMeterY(kDotsPerMeter);

  QPainter painter(&page.picture);
  DrawBackground(painter, kMenuPageWidth, height);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setBackgroundMode(Qt::TransparentMode);

  // The heading, centred in the band (0, 0)-(719, 50); its shadow 2 pixels right and below.
  painter.setFont(MenuFont(kMenuHeadingPoints));
  const QRect band(0, 0, kMenuPageWidth - 1, kMenuHeadingHeight);
  DrawShadowedText(painter, band, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Please Select a Video:"),
                   QPoint(0, 0), QPoint(-2, -2));

  page.rows = PlanMenuRows(static_cast<int>(titles.size()), height);
  if (page.rows.twoColumns) {
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(kMenuPageWidth / 2, kMenuHeadingHeight, kMenuPageWidth / 2, height - 1);
  }
  const QFont itemFont = MenuFont(page.rows.itemPoints);
  painter.setFont(itemFont);
  const QFontMetrics metrics(itemFont, &page.picture);
  for (const auto& title : titles) page.titleWidths.push_back(metrics.horizontalAdvance(QString::fromStdString(title)));
  page.columnWidth = MenuColumnWidth(page.rows, page.titleWidths);
  page.places = PlaceMenuItems(page.rows, page.columnWidth, page.titleWidths);

  for (std::size_t i = 0; i < titles.size(); ++i) {
    const MenuItemPlace& place = page.places[i];
    const QRect rect(place.left, place.top, place.right - place.left, place.bottom - place.top);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | (place.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    // A title wider than its column is cut at the column's edge.
    painter.setClipRect(rect.adjusted(0, 0, 2, 2));
    DrawShadowedText(painter, rect, flags, QString::fromStdString(titles[i]), QPoint(2, 2), QPoint(0, 0));
    painter.setClipping(false);
  }
  painter.end();
  return page;
}

VideoFrame MenuFrame(const QImage& picture) {
  const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
  VideoFrame frame(pixels.width(), pixels.height());
  for (int y = 0; y < pixels.height(); ++y) {
    // RGB32 keeps a pixel as 0xffRRGGBB: in memory blue, green, red, 255.
    std::memcpy(frame.PixelFromTop(0, y), pixels.constScanLine(y), frame.Stride());
  }
  return frame;
}
