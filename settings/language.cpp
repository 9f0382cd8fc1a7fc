#include "settings/language.h"

#include <QRegularExpression>

namespace kv {

namespace {
const QString kJapanese = QStringLiteral("ja");
const QString kEnglish = QStringLiteral("en");

// "en-US", "en_GB", "pt-Latn-BR" → "en", "en", "pt".
QString baseLanguage(const QString& tag) {
  return tag.section(QRegularExpression(QStringLiteral("[-_.@]")), 0, 0).toLower();
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
