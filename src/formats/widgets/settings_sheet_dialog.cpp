#include "formats/widgets/settings_sheet_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <algorithm>

#include "formats/widgets/settings_page_widget.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "support/log.h"
#include "support/user_text.h"
#include "ui/control_id.h"

namespace {

// Dialog units.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

struct SheetSize {
  int pageWidth = 0;
  int pageHeight = 0;
};

SheetSize LargestPage(const std::vector<SettingsPage*>& pages) {
  SheetSize size;
  for (const SettingsPage* page : pages) {
    size.pageWidth = std::max(size.pageWidth, page->Template().width);
    size.pageHeight = std::max(size.pageHeight, page->Template().height);
  }
  return size;
}

int SheetWidth(const SettingsSheetRequest& request) {
  return kMargin + request.navigationWidth + kMargin + LargestPage(request.pages).pageWidth + kMargin;
}

int SheetHeight(const SettingsSheetRequest& request) {
  return kMargin + LargestPage(request.pages).pageHeight + kMargin + kButtonHeight + kMargin;
}

}  // namespace

SettingsSheetDialog::SettingsSheetDialog(const SettingsSheetRequest& request, QWidget* parent)
    : UnitDialog(parent, QString::fromStdString(request.caption), SheetWidth(request), SheetHeight(request)),
      m_pages(request.pages),
      m_pageWidgets(request.pages.size(), nullptr),
      m_nStartPage(request.startPage >= 0 && request.startPage < static_cast<int>(request.pages.size())
                       ? request.startPage
                       : 0) {
  const SheetSize largest = LargestPage(m_pages);
  m_pNavigation = new QListWidget(this);
  m_pNavigation->setGeometry(DialogRect(kMargin, kMargin, request.navigationWidth, largest.pageHeight));
  for (const SettingsPage* page : m_pages) m_pNavigation->addItem(UserText::Lookup(page->Title().c_str()));
  connect(m_pNavigation, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == m_nActive || row < 0) return;
    if (!SetActivePage(row)) {
      const QSignalBlocker quiet(m_pNavigation);
      m_pNavigation->setCurrentRow(m_nActive);
    }
  });

  m_pStack = new QStackedWidget(this);
  m_pStack->setGeometry(
      DialogRect(kMargin + request.navigationWidth + kMargin, kMargin, largest.pageWidth, largest.pageHeight));

  const int buttonsTop = kMargin + largest.pageHeight + kMargin;
  const int right = SheetWidth(request) - kMargin;
  QPushButton* ok = AddButton(IDOK, QT_TRANSLATE_NOOP("UserText", "OK"), right - 2 * kButtonWidth - 4, buttonsTop,
                              kButtonWidth, kButtonHeight, true);
  connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), right - kButtonWidth, buttonsTop, kButtonWidth,
               kButtonHeight);
}

SettingsSheetDialog::~SettingsSheetDialog() {
  DestroyPageWidgets();
}

SettingsPageWidget* SettingsSheetDialog::PageWidget(int index) const {
  if (index < 0 || index >= static_cast<int>(m_pageWidgets.size())) return nullptr;
  return m_pageWidgets[static_cast<std::size_t>(index)];
}

void SettingsSheetDialog::OnInitDialog() {
  if (m_pages.empty()) return;
  SetActivePage(m_nStartPage);
}

bool SettingsSheetDialog::SetActivePage(int index) {
  if (index < 0 || index >= static_cast<int>(m_pages.size())) return false;
  if (SettingsPageWidget* leaving = PageWidget(m_nActive)) {
    if (!leaving->Page().OnKillActive()) return false;
  }
  SettingsPageWidget*& shown = m_pageWidgets[static_cast<std::size_t>(index)];
  if (shown == nullptr) {
    shown = new SettingsPageWidget(*m_pages[static_cast<std::size_t>(index)], m_pStack);
    m_pStack->addWidget(shown);
  }
  m_pStack->setCurrentWidget(shown);
  m_nActive = index;
  const QSignalBlocker quiet(m_pNavigation);
  m_pNavigation->setCurrentRow(index);
  return true;
}

void SettingsSheetDialog::OnOK() {
  if (SettingsPageWidget* active = PageWidget(m_nActive)) {
    if (!active->Page().OnKillActive()) return;
  }
  done(IDOK);
}

void SettingsSheetDialog::done(int result) {
  UnitDialog::done(result);
  DestroyPageWidgets();
}

void SettingsSheetDialog::DestroyPageWidgets() {
  for (SettingsPageWidget*& widget : m_pageWidgets) {
    delete widget;
    widget = nullptr;
  }
  m_nActive = -1;
}

void RegisterSettingsSheet(QtResponder& responder) {
  responder.Register<SettingsSheetRequest>([](QWidget* owner, const SettingsSheetRequest& request) {
    SettingsSheetDialog sheet(request, owner);
    const int result = sheet.exec();
    Log("Settings sheet ended with %d", result);
    return DialogReply<SettingsSheetRequest>{result == IDOK ? IDOK : IDCANCEL, ButtonAnswer{}};
  });
}
