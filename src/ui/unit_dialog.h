#pragma once
// The base of the small dialogs: a fixed-size dialog laid out in dialog units
// of its font (ui/dialog_units.h), whose controls carry their numeric ids, which ends with
// a button's id as its result (Escape and the close box give IDCANCEL), and
// which calls OnInitDialog (and through it DoDataExchange) once, just before
// it is first shown.

#include <QDialog>
#include <QString>

#include "ui/dialog_units.h"

class QLabel;
class QPushButton;

class UnitDialog : public QDialog {
  Q_OBJECT

 public:
  // The child with that control id, or nullptr.
  QWidget* GetDlgItem(int id) const;

  void reject() override;

  // Dialog units of this dialog to pixels.
  QRect DialogRect(int x, int y, int width, int height) const;

 protected:
  // width and height: the client area in dialog units.
  UnitDialog(QWidget* parent, const QString& caption, int width, int height);

  // A push button at x, y, width, height (dialog units).
  QPushButton* AddButton(int id, const QString& text, int x, int y, int width, int height, bool isDefault = false);
  // A button that ends the dialog with its id.
  QPushButton* AddEndButton(int id, const QString& text, int x, int y, int width, int height, bool isDefault = false);
  // A static text, top-left aligned and wrapped as a Windows static is.
  QLabel* AddStatic(int id, const QString& text, int x, int y, int width, int height);

  // Before the first show; the base exchanges the dialog's data with its controls.
  virtual void OnInitDialog() { DoDataExchange(); }
  // Puts members into their controls; each dialog logs it.
  virtual void DoDataExchange() {}
  void showEvent(QShowEvent* event) override;

 private:
  DialogBaseUnits m_base;
  bool m_bInitialised = false;
};
