#include "platform/desktop_languages.h"

#include <QtGlobal>

namespace kv {

QStringList LanguagesFromEnvironment(const QString& lcAll, const QString& lcMessages,
                                     const QString& lang, const QString& language) {
  QString locale = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
  if (locale.isEmpty()) locale = QStringLiteral("C");
  const QString name = locale.section(u'.', 0, 0).section(u'@', 0, 0);
  if (name == QStringLiteral("C") || name == QStringLiteral("POSIX") || language.isEmpty())
    return {locale};
  return language.split(u':', Qt::SkipEmptyParts);
}

}  // namespace kv
