#include "support/user_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <memory>

#include "support/log.h"
#include "support/path_buffer.h"

namespace {

QTranslator* g_translator = nullptr;  // the installed catalogue; the window thread's

// The locale of messages as the C library takes it: LC_ALL, else
// LC_MESSAGES, else LANG; "" for none.
std::string MessagesLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

std::string UserText::tr(const char* english) {
  // Without an application object there is nobody to ask.
  if (QCoreApplication::instance() == nullptr) return english;
  return QCoreApplication::translate("UserText", english).toStdString();
}

bool InstallUserTextTranslations(const std::string& folder) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return false;
  if (g_translator != nullptr) {
    QCoreApplication::removeTranslator(g_translator);
    delete g_translator;
    g_translator = nullptr;
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
  return true;
}
