#include "platform/skin/widgets/skin_component.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "support/user_text.h"

namespace {

QString SearchPrefix() {
  return QString::fromUtf8(kSkinImagePrefix.data(), static_cast<qsizetype>(kSkinImagePrefix.size()));
}

// A style sheet reads dynamic properties when a widget is polished, so a
// changed skinElement shows only after polishing the widget again.
// The skin's own words (its tooltips) are English: a button shows them in
// the user's language where the catalogue has them.
void SkinWordsInUsersLanguage(QWidget* widget) {
  const QString tip = widget->toolTip();
  if (!tip.isEmpty()) widget->setToolTip(UserText::Button(tip.toUtf8().constData()));
}

// A widget's first show, and a new style sheet, polish it again and the
// style sheet puts its words back: they are translated once more when it is
// shown and when its style has changed, both after the polish.
class SkinWordsFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if ((event->type() == QEvent::Show || event->type() == QEvent::StyleChange) && watched->isWidgetType()) {
      SkinWordsInUsersLanguage(static_cast<QWidget*>(watched));
    }
    return false;
  }
};

SkinWordsFilter& SkinWords() {
  static auto* filter = new SkinWordsFilter;
  return *filter;
}

void Repolish(QWidget* widget) {
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  SkinWordsInUsersLanguage(widget);
  widget->update();
}

// "&Add File" reads "Add File"; "&&" stands for one '&'.
QString WithoutMnemonics(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

}  // namespace

std::string DarkCompanionOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? path.substr(0, dot) : path) + ".dark" + (hasExtension ? path.substr(dot) : ".skf");
}

void SkinComponent::SetUp() {
  if (m_stage == Stage::Created) m_stage = Stage::SetUp;
}

bool SkinComponent::LoadSkin(const std::string& path) {
  if (m_stage != Stage::SetUp) return false;
  std::optional<SkinSheet> sheet = ReadSkinFile(path);
  if (!sheet) return false;
  m_loaded = std::move(sheet);
  m_loadedDark = ReadSkinFile(DarkCompanionOf(path));
  return true;
}

bool SkinComponent::IsDarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

void SkinComponent::ApplySkin() {
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (m_stage != Stage::SetUp || !m_loaded || !application) return;
  QDir::setSearchPaths(SearchPrefix(), {QString::fromStdString(m_loaded->folder)});
  std::string sheet = m_loaded->styleSheet;
  // On a dark desktop the companion's rules come last and so win over the
  // light ones they repeat.
  m_bDark = m_loadedDark && IsDarkPalette(QApplication::palette());
  if (m_bDark) sheet += "\n" + m_loadedDark->styleSheet;
  application->setStyleSheet(QString::fromStdString(sheet));
  m_applied = m_loaded;
  m_applied->styleSheet = sheet;
}

void SkinComponent::IncludeWindow(QWidget* window) {
  if (!Applied() || !window) return;
  if (std::find(m_skinned.begin(), m_skinned.end(), window) == m_skinned.end()) m_skinned.emplace_back(window);
}

void SkinComponent::SetSkinElement(QAbstractButton* button, const char* element) {
  if (!Applied() || !button || !element) return;
  const QString label = button->text();
  button->setProperty("skinElement", QString::fromUtf8(element));
  button->installEventFilter(&SkinWords());
  Repolish(button);
  IncludeWindow(button);
  if (!DrawsElement(element) || label.isEmpty()) return;
  // The button shows its own label over the element (the skin's rule for
  // "skinOwnLabel" takes the picture away).
  if (button->property("skinOwnLabel").toBool()) return;

  const QString plain = WithoutMnemonics(label);
  if (button->toolTip().isEmpty()) button->setToolTip(plain);
  if (button->accessibleName().isEmpty()) button->setAccessibleName(plain);
  button->setText(QString());
}

void SkinComponent::Redraw() {
  if (!Applied()) return;
  std::erase_if(m_skinned, [](const QPointer<QWidget>& widget) { return widget.isNull(); });
  for (const QPointer<QWidget>& widget : m_skinned) Repolish(widget);
}

void SkinComponent::Deinitialize() {
  if (m_stage != Stage::SetUp) return;
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (Applied() && application && application->styleSheet() == QString::fromStdString(m_applied->styleSheet)) {
    application->setStyleSheet(QString());
    QDir::setSearchPaths(SearchPrefix(), {});
  }
  m_stage = Stage::Deinitialized;
  m_loaded.reset();
  m_loadedDark.reset();
  m_applied.reset();
  m_bDark = false;
  m_skinned.clear();
}

bool SkinComponent::DrawsElement(std::string_view element) const {
  return Applied() && m_applied->elements.contains(element);
}

bool SkinComponent::Applied() const {
  return m_stage == Stage::SetUp && m_applied.has_value();
}
