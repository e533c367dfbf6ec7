#pragma once
// Numeric control ids on Qt widgets: each specified control carries its id in
// the "controlId" property, and a dialog finds it again with GetDlgItem.

class QWidget;

inline constexpr const char* kControlIdProperty = "controlId";
// The id of a static text that code never addresses.
inline constexpr int IDC_STATIC = -1;

void SetControlId(QWidget* control, int id);
// The control's id, or IDC_STATIC when it has none.
int GetControlId(const QWidget* control);
// The first child of dialog (at any depth) with that id, or nullptr.
QWidget* GetDlgItem(const QWidget* dialog, int id);
