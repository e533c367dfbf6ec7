#pragma once
// The gauge under the input list: a bar filled as far as the disc will be
// (the last CD for a VCD or SVCD), with the plan's first line on its left
// and the job time on its right, and below it the rates (or, in red, why the
// list does not fit) over up to two lines.

#include <QStringList>
#include <QWidget>

#include "disc/disc_plan.h"

class DiscGaugeWidget : public QWidget {
  Q_OBJECT

 public:
  explicit DiscGaugeWidget(QWidget* parent);

  void ShowPlan(const DiscPlan& plan);

  // What the gauge shows: the plan's lines, as --plan prints them.
  const QStringList& Lines() const { return m_lines; }
  bool Fits() const { return m_bFits; }
  int FillPercent() const { return m_nFill; }
  // The bar's colour: the palette's highlight, red when the list does not fit.
  QColor BarColor() const;

  // What is drawn where: on the bar, left and right; below it, wrapped.
  struct Texts {
    QString barLeft;
    QString barRight;
    QRect barRoom;
    QString below;
    QRect belowRoom;
  };
  Texts Layout() const;
  static constexpr int kBarHeight = 14;
  static constexpr int kTextMargin = 6;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList m_lines;
  bool m_bFits = true;
  int m_nFill = 0;
};
