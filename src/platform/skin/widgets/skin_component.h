#pragma once
// The skin component: gives the program's windows the look of a skin file (a
// Qt style sheet, see platform/skin/skin_sheet.h). It is called in the
// application's order: SetUp, LoadSkin, ApplySkin, then per window
// IncludeWindow, SetSkinElement and Redraw, and Deinitialize before it goes.
//
// Every call made before SetUp, after Deinitialize, or while no skin is
// applied has no effect, exactly as if the component were missing: the
// windows keep the platform's look and every button its label.

#include <QPointer>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/skin/skin_sheet.h"

class QAbstractButton;
class QPalette;
class QWidget;

// The dark companion of a skin file: "Orlenta.skf" has "Orlenta.dark.skf".
std::string DarkCompanionOf(const std::string& path);

class SkinComponent {
 public:
  // Set-up before loading (once; later calls change nothing).
  void SetUp();

  // Reads the skin file at path. False, keeping what was loaded before, when
  // the component is not set up or the file is unreadable or no style sheet.
  bool LoadSkin(const std::string& path);

  // Puts the loaded skin on the whole application and points its images at
  // the skin file's folder. When the desktop's palette is dark and the skin
  // has a dark companion (DarkCompanionOf), the companion's rules are added
  // after the skin's.
  void ApplySkin();

  // Whether the applied skin is in its dark variant.
  bool IsDark() const { return m_bDark; }
  // A palette whose window is darker than its text.
  static bool IsDarkPalette(const QPalette& palette);

  // Makes a window or control part of the skinned set that Redraw refreshes.
  void IncludeWindow(QWidget* window);

  // Draws button as the named element (its skinElement property). The button's
  // text is cleared only when the applied skin draws that element, since the
  // element's image then carries the label; the cleared text stays as the
  // tooltip and accessible name unless the button (or the skin) has set them.
  void SetSkinElement(QAbstractButton* button, const char* element);

  // Re-polishes the skinned controls, so that changed elements show.
  void Redraw();

  // Takes the skin off the application and ends the component's work.
  void Deinitialize();

  // Whether the applied skin draws element.
  bool DrawsElement(std::string_view element) const;

 private:
  enum class Stage { Created, SetUp, Deinitialized };

  bool Applied() const;

  Stage m_stage = Stage::Created;
  std::optional<SkinSheet> m_loaded;
  std::optional<SkinSheet> m_loadedDark;
  bool m_bDark = false;
  std::optional<SkinSheet> m_applied;
  std::vector<QPointer<QWidget>> m_skinned;
};
