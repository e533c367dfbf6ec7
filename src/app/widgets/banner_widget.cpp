#include "app/widgets/banner_widget.h"

#include <QLinearGradient>
#include <QPainter>

#include "support/user_text.h"

BannerWidget::BannerWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("banner");
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BannerWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, width(), 0);
  sky.setColorAt(0.0, QColor(0x1d, 0x3c, 0x6e));
  sky.setColorAt(1.0, QColor(0x2f, 0x80, 0xc0));
  painter.fillRect(rect(), sky);

  // A disc: the program's subject.
  const QPointF centre(24, height() / 2.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xe8, 0xf1, 0xfa));
  painter.drawEllipse(centre, 14, 14);
  painter.setBrush(QColor(0x1d, 0x3c, 0x6e));
  painter.drawEllipse(centre, 4, 4);

  QFont title = font();
  title.setPixelSize(20);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(46, 0, 160, height()), Qt::AlignVCenter | Qt::AlignLeft, "Orlenta");

  QFont line = font();
  line.setPixelSize(12);
  painter.setFont(line);
  painter.setPen(QColor(0xd6, 0xe6, 0xf5));
  painter.drawText(QRect(150, 0, 420, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   UserText::tr("Video files to DVD, VCD and SVCD discs"));
}
