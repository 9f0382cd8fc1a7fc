#include "app/command_line.h"

#include "app/language.h"
#include "settings/language.h"

namespace kv {

namespace {

const char* const kHelp =
    QT_TRANSLATE_NOOP("CommandLine",
                      "使い方: korvane [--version | --help]\n"
                      "グラフを読むゲームです。動く点がどこに着くかを当てます。\n"
                      "引数なしで起動します。ゲーム中に F1 でヘルプが開きます。\n"
                      "設定は $XDG_CONFIG_HOME/korvane/qelmira.ini\n"
                      "(~/.config/korvane/) に、フォルダーごと置いたゲームでは\n"
                      "その横に保存されます。\n");

}  // namespace

CommandLineAnswer AnswerCommandLine(const QStringList& args, const QStringList& uiLanguages) {
  const QString code = PickLanguage(kLanguageAuto, uiLanguages, CatalogueLanguages());
  const QString help = TranslateIn(code, "CommandLine", kHelp);
  // Anything unknown is refused before anything else is done, in the GNU
  // way: what was wrong, then the usage, status 2. "--" ends the options;
  // the game takes no arguments after it either.
  bool optionsEnded = false;
  for (const QString& a : args.mid(1)) {
    if (!optionsEnded && a == QStringLiteral("--")) {
      optionsEnded = true;
      continue;
    }
    const bool known =
        !optionsEnded && (a == QStringLiteral("--version") || a == QStringLiteral("--help"));
    if (known) continue;
    const bool option = !optionsEnded && a.startsWith(u'-') && a.size() > 1;
    const QString what =
        option ? TranslateIn(code, "CommandLine",
                             QT_TRANSLATE_NOOP("CommandLine", "korvane: 不明なオプション '%1'\n"))
               : TranslateIn(code, "CommandLine",
                             QT_TRANSLATE_NOOP("CommandLine", "korvane: 余分な引数 '%1'\n"));
    return {.startGame = false,
            .exitStatus = 2,
            .out = {},
            .err = what.arg(a) + help.section(u'\n', 0, 0) + u'\n'};
  }
  // The first informational option answers.
  for (const QString& a : args.mid(1)) {
    if (a == QStringLiteral("--version"))
      return {.startGame = false,
              .exitStatus = 0,
              .out = QStringLiteral("korvane %1\n").arg(QStringLiteral(KORVANE_VERSION)),
              .err = {}};
    if (a == QStringLiteral("--help"))
      return {.startGame = false, .exitStatus = 0, .out = help, .err = {}};
    if (a == QStringLiteral("--")) break;
  }
  return {};
}

}  // namespace kv
