#pragma once
// The picture across the top of the main window: the product's name and what
// it does, drawn in code so that it scales with no image file to lose.

#include <QWidget>

class BannerWidget : public QWidget {
  Q_OBJECT

 public:
  explicit BannerWidget(QWidget* parent);

  static constexpr int kHeight = 40;
  // At the window's default size: up to the player's column.
  static constexpr int kWidth = 578;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
