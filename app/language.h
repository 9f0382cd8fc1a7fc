#pragma once
// The catalogues the program speaks with, one language at a time: its own,
// built into the program, and the toolkit's (the buttons of message boxes,
// the text box's menu). The texts are written in Japanese, so Japanese needs
// no catalogue of the program's own.
#include <QString>
#include <QStringList>

namespace kv {

// The languages the program carries a catalogue for ("en", ...).
QStringList CatalogueLanguages();

// Speaks `code` from now on, application-wide; every widget receives a
// language-change event. Does nothing when `code` is already spoken.
void InstallLanguage(const QString& code);
// The language installed last ("ja" before any).
QString InstalledLanguage();

// `source` of `context` as it reads in `code`; works before the toolkit's
// application object exists.
QString TranslateIn(const QString& code, const char* context, const char* source);

}  // namespace kv
