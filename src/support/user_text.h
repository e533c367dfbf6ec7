#pragma once
// The texts a user reads (messages, captions, the status line, the controls)
// in the user's language. The English text is the source and the key: without
// a translation for the locale, or under LANG=C, it comes back unchanged. The
// log stays English: log lines never go through here.
//
// Written UserText::tr("...") with a literal at each text, so that lupdate
// finds it (context "UserText"; a variable inside tr() confuses lupdate).
// A text kept in a table or a variable is marked where it is written,
// QT_TRANSLATE_NOOP("UserText", "..."), and looked up with UserText::Lookup.
// A text with names or numbers is a pattern with %1, %2, ... translated as a
// whole and filled afterwards (UserText::Fill), so that a language may put
// them where its sentence needs them.
//
// The catalogues are data/translations/orlenta_<lang>.ts; `lupdate
// -locations none -no-obsolete src -ts data/translations/*.ts` brings them up
// to date, and a test fails while any text lacks a translation.

#include <QString>
#include <QtGlobal>  // QT_TRANSLATE_NOOP
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// A text in the user's language: UTF-8 bytes for the core, and a QString
// where a widget takes it (new QPushButton(UserText::tr("Help"), this)).
struct UserString : std::string {
  UserString(std::string text) : std::string(std::move(text)) {}
  operator QString() const { return QString::fromStdString(*this); }
};

struct UserText {
  // The text in the user's language.
  static UserString tr(const char* english);
  // The same for a text marked with QT_TRANSLATE_NOOP("UserText", ...).
  static UserString Lookup(const char* english);
  // A button's word: some are other words elsewhere too ("Cancel" is also
  // what the status line says after a cancel), and a language may need two.
  static UserString Button(const char* english);
  // pattern with %1 ... %9 replaced by values, in one pass: a value's own
  // "%2" stays as it is, and so do the bytes of a name that is not UTF-8.
  static UserString Fill(std::string_view pattern, std::initializer_list<std::string_view> values);
};

// Loads the catalogue of the locale's language (LC_ALL, else LC_MESSAGES,
// else LANG) from folder (default: the program's "translations" folder) in
// place of the one loaded before, with Qt's own texts for that language
// (the standard buttons of its dialogs) where the system has them; false,
// and English, when there is no catalogue of ours. Needs the Qt application
// object.
bool InstallUserTextTranslations(const std::string& folder = {});
