#pragma once
// The desktop's languages, best first, as the program's catalogues should
// see them.
#include <QString>
#include <QStringList>

namespace kv {

// The languages the environment asks for, read the way the desktop's own
// message catalogues read it: the messages locale is LC_ALL, else
// LC_MESSAGES, else LANG; LANGUAGE, a list such as "de:ja", overrides it
// only when that locale names a language. In the C or POSIX locale, or with
// none set, programs speak as written, so LANGUAGE is passed over and the
// list is that locale alone ("C").
QStringList LanguagesFromEnvironment(const QString& lcAll, const QString& lcMessages,
                                     const QString& lang, const QString& language);

// This process's list: from its environment on systems that set languages
// that way, else the list the system keeps.
QStringList DesktopLanguages();

}  // namespace kv
