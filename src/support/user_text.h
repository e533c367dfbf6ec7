#pragma once
// The texts a user reads (messages, captions, the status line) in the user's
// language. The English text is the source and the key: without a translation
// for the locale, or under LANG=C, it comes back unchanged. The log stays
// English: log lines never go through here.
//
// Written UserText::tr("...") at each text so that lupdate finds them
// (context "UserText"); the catalogues are translations/orlenta_<lang>.ts.

#include <string>

struct UserText {
  // The text in the user's language.
  static std::string tr(const char* english);
};

// Loads the catalogue of the locale's language (LC_ALL, else LC_MESSAGES,
// else LANG) from folder (default: the program's "translations" folder) in
// place of the one loaded before; false, and English, when there is none.
// Needs the Qt application object.
bool InstallUserTextTranslations(const std::string& folder = {});
