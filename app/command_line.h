#pragma once
// The informational options, answered before the toolkit starts, so they
// work without a display.
#include <QString>
#include <QStringList>

namespace kv {

// The answer to the command line, or an empty string when the game is to
// start. `uiLanguages` are the desktop's languages: --help answers in them.
QString AnswerCommandLine(const QStringList& args, const QStringList& uiLanguages);

}  // namespace kv
