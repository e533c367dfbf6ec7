#include "app/widgets/disc_gauge_widget.h"

#include <QPainter>
#include <algorithm>

#include "support/user_text.h"

namespace {

constexpr int kBarHeight = 15;
const QColor kNoFitRed(0xc6, 0x28, 0x28);

}  // namespace

DiscGaugeWidget::DiscGaugeWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("discGauge");
  setAccessibleName(UserText::tr("Disc gauge"));
}

void DiscGaugeWidget::ShowPlan(const DiscPlan& plan) {
  m_lines.clear();
  for (const std::string& line : DiscPlanLines(plan, PlanWords::UsersLanguage)) m_lines << QString::fromStdString(line);
  m_bFits = plan.fits;
  m_nFill = plan.fileCount > 0 ? plan.fillPercent : 0;
  setVisible(plan.isDisc);
  setToolTip(m_lines.join('\n'));
  setAccessibleDescription(m_lines.join(' '));
  update();
}

QColor DiscGaugeWidget::BarColor() const {
  return m_bFits ? palette().color(QPalette::Highlight) : kNoFitRed;
}

void DiscGaugeWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect bar(0, 0, width() - 1, kBarHeight);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::Base));
  painter.drawRect(bar);
  const int filled = (bar.width() - 1) * std::clamp(m_nFill, 0, 100) / 100;
  painter.fillRect(QRect(1, 1, filled, kBarHeight - 1), BarColor());
  if (m_lines.isEmpty()) return;

  // The first line on the bar, readable on both of its parts.
  const QRect text = bar.adjusted(6, 0, -6, 0);
  const QString first = fontMetrics().elidedText(m_lines.front(), Qt::ElideRight, text.width());
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, first);
  painter.save();
  painter.setClipRect(QRect(1, 1, filled, kBarHeight - 1));
  painter.setPen(m_bFits ? palette().color(QPalette::HighlightedText) : QColor(Qt::white));
  painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, first);
  painter.restore();

  // Below: why it does not fit, else the rate and the job time.
  QString below;
  if (!m_bFits && m_lines.size() > 3) {
    below = m_lines.back();
    painter.setPen(kNoFitRed);
  } else {
    below = m_lines.mid(1, 2).join("  \u00b7  ");
    painter.setPen(palette().color(QPalette::WindowText));
  }
  const QRect lower(0, kBarHeight + 1, width(), height() - kBarHeight - 1);
  painter.drawText(lower, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(below, Qt::ElideRight, lower.width()));
}
