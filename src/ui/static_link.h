#pragma once
// A static text of a dialog made into a web link: underlined, blue until it
// has been opened and purple after, with a hand cursor; a left click opens
// its address, or its own text when it was given none. When the desktop
// cannot open it the link beeps and stays blue.
//
// It attaches to an existing QLabel by watching its events (the Qt form of
// subclassing a control). Created with deleteOnDestroy, it is owned by the
// label and goes with it; otherwise its creator deletes it.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "ui/hyperlink.h"

class QWidget;

class CStaticLink : public QObject {
  Q_OBJECT

 public:
  static inline const QColor kUnvisitedColor{0, 0, 255};
  static inline const QColor kVisitedColor{128, 0, 128};

  explicit CStaticLink(const std::string& address = "", bool deleteOnDestroy = false);

  // Attaches to the control with that id in parent; false when there is none or it is not a static text.
  bool SubclassDlgItem(int id, QWidget* parent);
  bool Attach(QLabel* control);

  // The sound of a failed open; the system beep unless replaced (tests).
  void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

  const CHyperlink& Link() const { return m_link; }
  QColor Color() const { return m_color; }
  QLabel* Control() const { return m_pControl; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnLButtonDown();
  // Underlined font and the current colour on a transparent background; plain text statics only.
  void ApplyLook();

  CHyperlink m_link;
  QColor m_color = kUnvisitedColor;
  std::optional<QFont> m_font;
  bool m_bDeleteOnDestroy;
  QPointer<QLabel> m_pControl;
  std::function<void()> m_beep;
};
