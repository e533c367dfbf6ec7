#pragma once
// The main window on screen: a dialog that owns the controls with their ids
// and places, draws them through the skin, shows what the core tells it and
// hands every command to the core (CCastrel1Dlg).

#include <QDialog>
#include <QHash>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "app/widgets/player_host.h"

class CCastrel1Dlg;
class QButtonGroup;
class QLabel;
class SkinComponent;

class MainDialog : public QDialog, public MainWindowView {
  Q_OBJECT

 public:
  // skin may be null: the controls then keep the platform's look.
  MainDialog(CCastrel1Dlg& core, SkinComponent* skin, QWidget* parent = nullptr);
  ~MainDialog() override;

  // Initialises the window through the core and shows it modally; the result
  // is IDCANCEL when the core closed it.
  int DoModal();

  // The control with that id, or null.
  QWidget* GetDlgItem(int id) const;

  // The size of the client area at the default size, in pixels; the window
  // may grow beyond it, never shrink below it.
  static constexpr int kClientWidth = 746;
  static constexpr int kClientHeight = 565;

  // Puts the window at the size and place it had when it last closed
  // (main_dialog_layout.cpp); nothing when none is kept.
  void RestoreWindowPlace();

  // MainWindowView
  WindowHandle Handle() override { return static_cast<QWidget*>(this); }  // what the Qt responder expects
  void SetSkin() override;
  void AppendSystemCommand(unsigned id, const std::string& text) override;
  void SetIcon() override;
  void ExchangeData(DialogData& values, bool save) override;
  void EnableControl(int id, bool enable) override;
  void ShowControl(int id, bool show) override;
  void SetButtonElement(int id, const char* element) override;
  void SetStatusText(const std::string& text) override;
  std::string StatusText() override;
  void SetProgress(int percent) override;
  void SetCompletedText(const std::string& text) override;
  void SetOutputFolderText(const std::string& path) override;
  int ListCount() override;
  std::string ListText(int index) override;
  int ListSelection() override;
  void ListAppend(const std::string& text) override;
  void ListDelete(int index) override;
  void ListSelect(int index) override;
  void CloseWindow(int result) override;
  PreviewPlayer* CreatePlayer() override;
  void SetDeferredDropsText(const std::string& text) override;
  bool IsWindowActive() override { return isActiveWindow(); }
  void ShowDiscPlan(const DiscPlan& plan) override;
  void SetListTitle(int index, const std::string& title) override;

  // The preview's player, once the core has made it.
  PlayerHost* Player() const { return m_pPlayer.get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Files dropped on the window (file managers send text/uri-list).
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  using CommandHandler = void (CCastrel1Dlg::*)();
  // A button of the window was clicked: its command goes to the core.
  void OnCommand();
  void CreateControls();
  // The slider's end words, names, keys and tab order (main_dialog_access.cpp).
  void SetUpAccess();
  QLabel* m_pSmallerFiles = nullptr;
  QLabel* m_pBetterPicture = nullptr;
  template <typename Control>
  Control* AddControl(int id, Control* control);
  void ConnectCommands();
  void PlaceControls();
  void IncludeInSkin(QWidget* window);
  // Gives a button its skin element; its text stays when the skin cannot draw it.
  void GiveSkinElement(int id, const char* element);

  // The window at any size (main_dialog_layout.cpp).
  struct ExtraRoom {
    int listWidth = 0;     // the list's column grows by it, the middle column moves by it
    int dy = 0;            // the list grows by it, what lies below moves down by it
    int playerWidth = 0;   // the player's growth
    int playerHeight = 0;  // the player's growth, keeping its shape
  };
  static ExtraRoom ExtraRoomAt(QSize size);
  struct Follower {
    QRect place;  // at the default size
    unsigned follow;
  };
  // Notes where every control sits at the default size and how it follows the window.
  void RememberDefaultPlaces();
  void FollowWindowSize();
  void FollowWindowSize(QWidget* widget);
  void FollowPlayer(QWidget* player);
  void SaveWindowPlace();
  // An info text shortened to its field again after the field has changed.
  void RefitInfoText(int id);
  QHash<QWidget*, Follower> m_followers;

  CCastrel1Dlg& m_core;
  SkinComponent* m_pSkin;
  QHash<int, QWidget*> m_controls;
  QHash<QObject*, CommandHandler> m_commands;
  QButtonGroup* m_pFormatGroup = nullptr;
  std::vector<std::pair<unsigned, QString>> m_systemCommands;
  std::string m_strOutputFolder;
  // Set while the core's values are written to the controls, so that the
  // controls' change signals do not come back as user actions.
  bool m_bWritingData = false;

  // The input list and the preview (input files, preview).
  void ConnectInputAndPreview();
  void TakeDrop(const std::string& uriList);
  std::unique_ptr<PlayerHost> m_pPlayer;
  QLabel* m_pDeferredDrops = nullptr;
  // Set while the core changes the list, whose selection signal is then no
  // user's choice.
  bool m_bChangingList = false;
};
