#include "platform/desktop_languages.h"

#include <QLocale>
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

QStringList DesktopLanguages() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  return LanguagesFromEnvironment(qEnvironmentVariable("LC_ALL"),
                                  qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"),
                                  qEnvironmentVariable("LANGUAGE"));
#else
  return QLocale::system().uiLanguages();
#endif
}

}  // namespace kv
