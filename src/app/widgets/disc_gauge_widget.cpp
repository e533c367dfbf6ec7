#include "app/widgets/disc_gauge_widget.h"

#include <QPainter>
#include <algorithm>

#include "support/user_text.h"

namespace {

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

DiscGaugeWidget::Texts DiscGaugeWidget::Layout() const {
  Texts texts;
  texts.barRoom = QRect(kTextMargin, 0, width() - 2 * kTextMargin, kBarHeight);
  texts.belowRoom = QRect(0, kBarHeight + 1, width(), height() - kBarHeight - 1);
  if (m_lines.isEmpty()) return texts;
  texts.barLeft = m_lines.front();
  // The job time beside the fill when both fit on the bar; else below.
  QStringList below;
  if (m_lines.size() > 1) below << m_lines[1];
  if (m_lines.size() > 2) {
    const int both = fontMetrics().horizontalAdvance(texts.barLeft + "    " + m_lines[2]);
    if (both <= texts.barRoom.width()) {
      texts.barRight = m_lines[2];
    } else {
      below << m_lines[2];
    }
  }
  // Why the list does not fit says more than the rates.
  texts.below = !m_bFits && m_lines.size() > 3 ? m_lines.back() : below.join("  \u00b7  ");
  return texts;
}

void DiscGaugeWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect bar(0, 0, width() - 1, kBarHeight);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::Base));
  painter.drawRect(bar);
  const int filled = (bar.width() - 1) * std::clamp(m_nFill, 0, 100) / 100;
  const QRect fill(1, 1, filled, kBarHeight - 1);
  painter.fillRect(fill, BarColor());
  const Texts texts = Layout();
  if (texts.barLeft.isEmpty()) return;

  // The bar's texts, readable on both of its parts.
  const auto drawOnBar = [&](const QColor& ink) {
    painter.setPen(ink);
    painter.drawText(texts.barRoom, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(texts.barLeft, Qt::ElideRight, texts.barRoom.width()));
    if (!texts.barRight.isEmpty()) painter.drawText(texts.barRoom, Qt::AlignVCenter | Qt::AlignRight, texts.barRight);
  };
  drawOnBar(palette().color(QPalette::Text));
  painter.save();
  painter.setClipRect(fill);
  drawOnBar(m_bFits ? palette().color(QPalette::HighlightedText) : QColor(Qt::white));
  painter.restore();

  painter.setPen(!m_bFits && m_lines.size() > 3 ? kNoFitRed : palette().color(QPalette::WindowText));
  painter.drawText(texts.belowRoom, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, texts.below);
}
