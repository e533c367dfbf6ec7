// The main window at any size (offscreen): the list and the player take the
// room, every control stays whole inside the window in its arrangement, and
// the window's size and place come back after a restart.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QScreen>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/widgets/main_dialog.h"
#include "app/widgets/player_host.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "ui/control_id.h"

namespace {

using namespace control_id;

struct Opened {
  CCastrel1Dlg core;
  MainDialog dialog{core, nullptr};
  Opened() {
    core.SetDefaultSettings();
    core.OnInitDialog();
  }
};

// The window's visible pieces, by what they are.
std::vector<QWidget*> VisiblePieces(const MainDialog& dialog) {
  std::vector<QWidget*> pieces;
  for (QWidget* piece : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (piece->isVisible()) pieces.push_back(piece);
  }
  return pieces;
}

std::string NameOf(const QWidget* piece) {
  return piece->objectName().toStdString() + " (" + std::to_string(GetControlId(piece)) + ")";
}

TEST(MainDialogSize, AtAnySizeEveryControlStaysInsideInItsArrangementAndTheListAndPlayerGrow) {
  TestApplication();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  Opened window;
  MainDialog& dialog = window.dialog;
  for (int i = 1; i <= 8; ++i) dialog.ListAppend("/videos/holiday part " + std::to_string(i) + ".mp4");
  dialog.show();
  ASSERT_EQ(dialog.size(), QSize(MainDialog::kClientWidth, MainDialog::kClientHeight));
  EXPECT_EQ(dialog.minimumSize(), dialog.size()) << "never smaller than the layout";
  ASSERT_NE(dialog.Player(), nullptr);

  // Which pieces overlap at the default size (a frame and its controls, a
  // label and its text): no others may come to overlap when the window grows.
  const std::vector<QWidget*> pieces = VisiblePieces(dialog);
  std::vector<std::pair<QWidget*, QWidget*>> overlapping;
  for (QWidget* a : pieces) {
    for (QWidget* b : pieces) {
      if (a < b && a->geometry().intersects(b->geometry())) overlapping.emplace_back(a, b);
    }
  }
  const QRect list0 = dialog.GetDlgItem(kFilesList)->geometry();

  for (const QSize size : {QSize(900, 640), QSize(1280, 1024), QSize(746, 1024), QSize(1600, 600)}) {
    dialog.resize(size);
    QApplication::processEvents();
    ASSERT_EQ(dialog.size(), size);
    EXPECT_EQ(VisiblePieces(dialog), pieces) << "nothing hides or appears";
    for (QWidget* piece : pieces) {
      EXPECT_TRUE(dialog.rect().contains(piece->geometry()))
          << NameOf(piece) << " at " << size.width() << "x" << size.height();
      EXPECT_FALSE(piece->geometry().isEmpty()) << NameOf(piece);
    }
    for (QWidget* a : pieces) {
      for (QWidget* b : pieces) {
        const bool before = std::find(overlapping.begin(), overlapping.end(), std::pair{a, b}) != overlapping.end();
        if (a < b) {
          EXPECT_EQ(a->geometry().intersects(b->geometry()), before) << NameOf(a) << " / " << NameOf(b);
        }
      }
    }
    const QRect list = dialog.GetDlgItem(kFilesList)->geometry();
    EXPECT_EQ(list.height() - list0.height(), size.height() - MainDialog::kClientHeight) << "all the height";
    EXPECT_GE(list.width(), list0.width());
  }

  dialog.resize(1280, 1024);
  QApplication::processEvents();
  auto* list = qobject_cast<QListWidget*>(dialog.GetDlgItem(kFilesList));
  for (int row = 0; row < 8; ++row) {
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row)))) << "row " << row;
  }
  const QRect player = dialog.findChild<QWidget*>("NCTVideoPlayer")->geometry();
  EXPECT_GT(player.width(), 2 * PlayerHost::kPlace.width());
  EXPECT_NEAR(player.width() * PlayerHost::kPlace.height(), player.height() * PlayerHost::kPlace.width(), 400)
      << "the player keeps its shape";

  dialog.resize(MainDialog::kClientWidth, MainDialog::kClientHeight);
  QApplication::processEvents();
  EXPECT_EQ(dialog.GetDlgItem(kFilesList)->geometry(), list0) << "back at the default size, back in the layout";
  EXPECT_EQ(dialog.GetDlgItem(kConvert)->geometry(), QRect(412, 456, 154, 45));
  EXPECT_EQ(dialog.Player() != nullptr ? dialog.findChild<QWidget*>("NCTVideoPlayer")->geometry() : QRect(),
            PlayerHost::kPlace);
  dialog.hide();
}

TEST(MainDialogSize, TheSizeAndPlaceComeBackAfterARestart) {
  TestApplication();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  // Within the offscreen screen (800 x 800), which the window is kept on.
  const QRect place(12, 8, 790, 590);
  {
    Opened first;
    first.dialog.RestoreWindowPlace();
    EXPECT_EQ(first.dialog.size(), QSize(MainDialog::kClientWidth, MainDialog::kClientHeight))
        << "the first start: the default size";
    first.dialog.resize(place.size());
    first.dialog.move(place.topLeft());
    first.core.OnCancel();
  }
  {
    Opened second;
    second.dialog.RestoreWindowPlace();
    EXPECT_EQ(second.dialog.geometry(), place);
    second.dialog.show();
    EXPECT_EQ(second.dialog.GetDlgItem(kFilesList)->height(), 35 + place.height() - MainDialog::kClientHeight);

    // Maximised, it fills the screen and comes back maximised.
    second.dialog.showMaximized();
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(second.dialog.frameGeometry().size(), screen.size());
    EXPECT_TRUE(second.dialog.rect().contains(second.dialog.GetDlgItem(kConvert)->geometry()));
    second.core.OnCancel();
  }
  Opened third;
  third.dialog.RestoreWindowPlace();
  EXPECT_TRUE(third.dialog.windowState() & Qt::WindowMaximized);
}

}  // namespace
