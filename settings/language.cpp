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
  if (uiLanguages.isEmpty()) return kJapanese;
  const QString first = baseLanguage(uiLanguages.front());
  if (first.isEmpty() || first == kJapanese || first == QStringLiteral("c") ||
      first == QStringLiteral("posix"))
    return kJapanese;
  return catalogues.contains(first) ? first : kEnglish;
}

int LanguageChoiceFrom(double stored) {
  if (stored == 1.0) return kLanguageJapanese;
  if (stored == 2.0) return kLanguageEnglish;
  return kLanguageAuto;
}

}  // namespace kv
