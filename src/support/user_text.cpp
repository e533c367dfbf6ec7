#include "support/user_text.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <memory>

#include "support/log.h"
#include "support/path_buffer.h"

namespace {

QTranslator* g_translator = nullptr;    // the installed catalogue; the window thread's
QTranslator* g_qtTranslator = nullptr;  // Qt's own texts for the same language

// The locale of messages as the C library takes it: LC_ALL, else
// LC_MESSAGES, else LANG; "" for none.
std::string MessagesLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

// The button words that differ from the same English word elsewhere, marked
// for the catalogues with the comment "button".
[[maybe_unused]] constexpr struct {
  const char* source;
  const char* comment;
} kButtonWords[] = {
    QT_TRANSLATE_NOOP3("UserText", "Cancel", "button"),
};

}  // namespace

UserString UserText::Button(const char* english) {
  if (QCoreApplication::instance() == nullptr) return std::string(english);
  // Without a word of its own the button takes the plain one.
  return QCoreApplication::translate("UserText", english, "button").toStdString();
}

UserString UserText::tr(const char* english) {
  return Lookup(english);
}

UserString UserText::Lookup(const char* english) {
  // Without an application object there is nobody to ask.
  if (QCoreApplication::instance() == nullptr) return std::string(english);
  return QCoreApplication::translate("UserText", english).toStdString();
}

UserString UserText::Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string filled;
  filled.reserve(pattern.size());
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
    const auto number = static_cast<std::size_t>(next - '0');
    if (pattern[at] == '%' && next >= '1' && next <= '9' && number <= values.size()) {
      filled += values.begin()[number - 1];
      ++at;
    } else {
      filled += pattern[at];
    }
  }
  return filled;
}

bool InstallUserTextTranslations(const std::string& folder) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return false;
  for (QTranslator** installed : {&g_translator, &g_qtTranslator}) {
    if (*installed == nullptr) continue;
    QCoreApplication::removeTranslator(*installed);
    delete *installed;
    *installed = nullptr;
  }
  std::string name = MessagesLocale();
  name = name.substr(0, name.find_first_of(".@"));  // "de_DE.UTF-8" -> "de_DE"
  // C and POSIX are the source's English.
  if (name.empty() || name == "C" || name == "POSIX") return false;
  const QString where = QString::fromStdString(folder.empty() ? ModuleFolderFile("translations").str() : folder);
  auto translator = std::make_unique<QTranslator>();
  // orlenta_de_DE, then orlenta_de; none for a language without a catalogue.
  if (!translator->load(QLocale(QString::fromStdString(name)), "orlenta", "_", where)) return false;
  QCoreApplication::installTranslator(translator.get());
  Log("Texts for %s from %s", name.c_str(), translator->filePath().toUtf8().constData());
  g_translator = translator.release();
  // Qt's own dialogs and buttons in the same language, from the system's
  // catalogues (Debian's qt6-translations-l10n) when they are installed; the
  // message boxes name their buttons themselves either way.
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(QLocale(QString::fromStdString(name)), "qtbase", "_",
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt.get());
    g_qtTranslator = qt.release();
  }
  return true;
}
