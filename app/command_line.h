#pragma once
// The command line, answered before the toolkit starts, so every answer
// works without a display. The game takes no arguments; it knows only the
// informational options and refuses anything else.
#include <QString>
#include <QStringList>

namespace kv {

struct CommandLineAnswer {
  bool startGame = true;  // otherwise the program ends at once with `exitStatus`
  int exitStatus = 0;
  QString out;  // for standard output
  QString err;  // for standard error
};

// `args` as the program received them, its name first. `uiLanguages` are the
// desktop's languages: the texts answer in them.
CommandLineAnswer AnswerCommandLine(const QStringList& args, const QStringList& uiLanguages);

}  // namespace kv
