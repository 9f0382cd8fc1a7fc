#include "app/command_line.h"

#include "app/language.h"
#include "settings/language.h"

namespace kv {

QString AnswerCommandLine(const QStringList& args, const QStringList& uiLanguages) {
  for (const QString& a : args.mid(1)) {
    if (a == QStringLiteral("--version"))
      return QStringLiteral("korvane %1\n").arg(QStringLiteral(KORVANE_VERSION));
    if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
      const QString code = PickLanguage(kLanguageAuto, uiLanguages, CatalogueLanguages());
      return TranslateIn(
          code, "CommandLine",
          QT_TRANSLATE_NOOP("CommandLine",
                            "使い方: korvane [--version | --help]\n"
                            "グラフを読むゲームです。動く点がどこに着くかを当てます。\n"
                            "引数なしで起動します。ゲーム中に F1 でヘルプが開きます。\n"
                            "設定は $XDG_CONFIG_HOME/korvane/qelmira.ini\n"
                            "(~/.config/korvane/) に、フォルダーごと置いたゲームでは\n"
                            "その横に保存されます。\n"));
    }
  }
  return {};
}

}  // namespace kv
