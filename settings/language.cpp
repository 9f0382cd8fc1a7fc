#include "settings/language.h"

namespace kv {

namespace {
const QString kJapanese = QStringLiteral("ja");
const QString kEnglish = QStringLiteral("en");

// "en-US", "en_GB", "pt-Latn-BR", "C.UTF-8" → "en", "en", "pt", "c". (A
// regular expression here cost more of the start-up than anything else
// this file does.)
QString baseLanguage(const QString& tag) {
  qsizetype end = 0;
  while (end < tag.size() && !QStringView(u"-_.@").contains(tag.at(end))) ++end;
  return tag.left(end).toLower();
}
}  // namespace

QString PickLanguage(int choice, const QStringList& uiLanguages, const QStringList& catalogues) {
  if (choice == kLanguageJapanese) return kJapanese;
  if (choice == kLanguageEnglish) return kEnglish;
  // The first language the program speaks wins: Japanese, or one with a
  // catalogue. "C" and "POSIX" ask for the texts as written, which are
  // Japanese; a list of others gets English.
  bool any = false;
  for (const QString& tag : uiLanguages) {
    const QString code = baseLanguage(tag);
    if (code.isEmpty()) continue;
    if (code == kJapanese || code == QStringLiteral("c") || code == QStringLiteral("posix"))
      return kJapanese;
    if (catalogues.contains(code)) return code;
    any = true;
  }
  return any ? kEnglish : kJapanese;
}

int LanguageChoiceFrom(double stored) {
  if (stored == 1.0) return kLanguageJapanese;
  if (stored == 2.0) return kLanguageEnglish;
  return kLanguageAuto;
}

}  // namespace kv
