// MainDialog: the window at any size. At its default size every control sits
// where the layout puts it; a larger window gives the extra room to the
// input list and the player, and the rest keeps its arrangement, moved
// along with them. The window's size and place are kept in the settings
// store when it closes and come back at the next start.

#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/widgets/main_dialog.h"
#include "app/widgets/player_host.h"
#include "platform/registry/registry_key.h"
#include "support/log.h"

namespace {

using namespace control_id;

// How a control follows the window's extra room. The list's column takes
// half of the extra width (kGrowWidth) and pushes the middle column right
// (kMoveRight); all the extra height goes to the list (kGrowHeight), below
// which everything moves down (kMoveDown). The player takes the other half
// of the width and the height that keeps its shape; the controls under it
// follow it down.
enum Follow : unsigned {
  kStay = 0,
  kGrowWidth = 1u << 0,
  kMoveRight = 1u << 1,
  kGrowHeight = 1u << 2,
  kMoveDown = 1u << 3,
  kPlayerWidth = 1u << 4,   // grows with the player's width
  kPlayerHeight = 1u << 5,  // grows with the player's height
  kUnderPlayer = 1u << 6,   // moves down with the player's height
  kCentredUnderPlayer = 1u << 7,
};

constexpr unsigned kPlayerBox = kMoveRight | kPlayerWidth | kPlayerHeight;
constexpr unsigned kPlayerButton = kMoveRight | kCentredUnderPlayer | kUnderPlayer;

struct ControlFollow {
  int id;
  unsigned follow;
};
constexpr ControlFollow kControlFollows[] = {
    {kFilesList, kGrowWidth | kGrowHeight},
    {kAddFile, kMoveRight},
    {kRemoveFile, kMoveRight},
    {kCodecLabel, kMoveDown},
    {kDurationLabel, kMoveDown},
    {kFrameRateLabel, kMoveDown},
    {kBitRateLabel, kMoveDown},
    {kCodecName, kMoveDown},
    {kDuration, kMoveDown},
    {kFrameRate, kMoveDown},
    {kBitRate, kMoveDown},
    {kTracks, kMoveDown | kGrowWidth},
    {kRadioAvi, kMoveDown},
    {kRadioMpeg, kMoveDown},
    {kRadioWmv, kMoveDown},
    {kRadioRm, kMoveDown},
    {kRadioDvd, kMoveDown},
    {kRadioVcd, kMoveDown},
    {kRadioSvcd, kMoveDown},
    {kQualitySlider, kMoveDown | kGrowWidth},
    {kLowQualityLabel, kMoveDown},
    {kHighQualityLabel, kMoveDown | kMoveRight},
    {kAsSource, kMoveDown},
    {kAdvanced, kMoveDown | kMoveRight},
    {kSettings, kMoveDown | kMoveRight},
    {kDiscGauge, kMoveDown | kGrowWidth},
    {kSelectFolder, kMoveDown | kMoveRight},
    {kOutputFolder, kMoveDown | kGrowWidth},
    {kConvert, kMoveDown | kMoveRight},
    {kStatus, kMoveDown | kGrowWidth},
    {kProgress, kMoveDown | kGrowWidth},
    {kCompleted, kMoveDown | kMoveRight},
    {kHelp, kPlayerButton},
    {kPlay, kPlayerButton},
    {kStop, kPlayerButton},
    {kPlayerSlider, kMoveRight | kPlayerWidth | kUnderPlayer},
    {kCopyDvd, kPlayerButton},
    {kRipDvd, kPlayerButton},
    {kConvertVideo, kPlayerButton},
};

// The window's own pieces without ids, by object name.
struct NamedFollow {
  const char* name;
  unsigned follow;
};
constexpr NamedFollow kNamedFollows[] = {
    {"banner", kGrowWidth},
    {"inputFrame", kGrowWidth | kGrowHeight},
    {"formatFrame", kMoveDown},
    {"qualityFrame", kMoveDown | kGrowWidth},
    {"folderFrame", kMoveDown | kGrowWidth},
    {"statusFrame", kMoveDown | kGrowWidth},
    {"deferredDrops", kMoveDown | kGrowWidth},
    {"smallerFiles", kMoveDown},
    {"betterPicture", kMoveDown | kMoveRight},
    {"folderSign", kMoveDown},
    {"aboutHint", kMoveDown},
    {"playerArea", kPlayerBox},
    {"NCTVideoPlayer", kPlayerBox},
};

// The player's shape at the default size.
constexpr int kPlayerWidth0 = PlayerHost::kPlace.width();
constexpr int kPlayerHeight0 = PlayerHost::kPlace.height();

// Where the window's size and place are kept, beside the window's other settings.
constexpr const char* kPlaceValues[] = {"Window Left", "Window Top", "Window Width", "Window Height",
                                        "Window Maximized"};

}  // namespace

MainDialog::ExtraRoom MainDialog::ExtraRoomAt(QSize size) {
  ExtraRoom room;
  const int dx = std::max(0, size.width() - kClientWidth);
  room.dy = std::max(0, size.height() - kClientHeight);
  room.listWidth = dx / 2;
  room.playerWidth = dx - room.listWidth;
  room.playerHeight = std::min(room.dy, room.playerWidth * kPlayerHeight0 / kPlayerWidth0);
  return room;
}

void MainDialog::RememberDefaultPlaces() {
  for (const ControlFollow& control : kControlFollows) {
    if (QWidget* widget = GetDlgItem(control.id)) m_followers.insert(widget, {widget->geometry(), control.follow});
  }
  for (QWidget* widget : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    for (const NamedFollow& named : kNamedFollows) {
      if (widget->objectName() == named.name) m_followers.insert(widget, {widget->geometry(), named.follow});
    }
  }
}

void MainDialog::FollowWindowSize(QWidget* widget) {
  const auto follower = m_followers.constFind(widget);
  if (follower == m_followers.constEnd()) return;
  const ExtraRoom room = ExtraRoomAt(size());
  const unsigned follow = follower->follow;
  QRect place = follower->place;
  if (follow & kMoveRight) place.translate(room.listWidth, 0);
  if (follow & kCentredUnderPlayer) place.translate(room.playerWidth / 2, 0);
  if (follow & kMoveDown) place.translate(0, room.dy);
  if (follow & kUnderPlayer) place.translate(0, room.playerHeight);
  if (follow & kGrowWidth) place.setWidth(place.width() + room.listWidth);
  if (follow & kPlayerWidth) place.setWidth(place.width() + room.playerWidth);
  if (follow & kGrowHeight) place.setHeight(place.height() + room.dy);
  if (follow & kPlayerHeight) place.setHeight(place.height() + room.playerHeight);
  widget->setGeometry(place);
}

void MainDialog::FollowWindowSize() {
  for (auto follower = m_followers.constBegin(); follower != m_followers.constEnd(); ++follower) {
    FollowWindowSize(follower.key());
  }
  // Texts shortened to their field's width get the new width.
  if (auto* folder = qobject_cast<QLabel*>(GetDlgItem(kOutputFolder)); folder && !folder->toolTip().isEmpty()) {
    SetOutputFolderText(folder->toolTip().toStdString());
  }
  RefitInfoText(kTracks);
}

void MainDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FollowWindowSize();
}

void MainDialog::FollowPlayer(QWidget* player) {
  m_followers.insert(player, {PlayerHost::kPlace, kPlayerBox});
  FollowWindowSize(player);
}

void MainDialog::SaveWindowPlace() {
  RegistryKey key;
  if (key.Create(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
  // The size it has when not maximised, so that un-maximising after a
  // restart gives that size back.
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  const int values[] = {normal.x(), normal.y(), normal.width(), normal.height(), isMaximized() ? 1 : 0};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const auto value = static_cast<std::uint32_t>(values[i]);
    key.SetValue(kPlaceValues[i], REG_DWORD, &value, sizeof value);
  }
  key.Close();
}

void MainDialog::RestoreWindowPlace() {
  RegistryKey key;
  if (key.Open(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_READ) != ERROR_SUCCESS) return;
  int values[std::size(kPlaceValues)] = {};
  for (std::size_t i = 0; i < std::size(kPlaceValues); ++i) {
    std::uint32_t value = 0;
    std::uint32_t bytes = sizeof value;
    std::uint32_t type = 0;
    if (key.QueryValue(kPlaceValues[i], &type, &value, &bytes) != ERROR_SUCCESS || type != REG_DWORD) return;
    values[i] = static_cast<std::int32_t>(value);
  }
  QRect place(values[0], values[1], std::max(values[2], kClientWidth), std::max(values[3], kClientHeight));
  // A screen that has become smaller (or gone) since: the window is brought
  // back onto the one it would show on, never smaller than its default size.
  const QScreen* screen = QGuiApplication::screenAt(place.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect room = screen->availableGeometry();
    place.setSize(place.size().boundedTo(room.size()).expandedTo(QSize(kClientWidth, kClientHeight)));
    if (!room.intersects(place)) place.moveTopLeft(room.topLeft());
  }
  Log("The window comes back at %d, %d, %d x %d%s", place.x(), place.y(), place.width(), place.height(),
      values[4] != 0 ? ", maximised" : "");
  resize(place.size());
  move(place.topLeft());
  if (values[4] != 0) setWindowState(windowState() | Qt::WindowMaximized);
}
