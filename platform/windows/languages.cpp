// Windows keeps the user's display languages itself, best first; the
// environment plays no part.
#include <QLocale>

#include "platform/desktop_languages.h"

namespace kv {

QStringList DesktopLanguages() { return QLocale::system().uiLanguages(); }

}  // namespace kv
