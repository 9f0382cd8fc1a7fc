#include "platform/platform.h"

#include <QApplication>
#include <QMenu>

#include "platform/desktop_languages.h"

namespace kv {

// Both backends drive real widgets, so both see the menu the toolkit shows.
bool Platform::menuOpen() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

QStringList Platform::uiLanguages() { return DesktopLanguages(); }

}  // namespace kv
