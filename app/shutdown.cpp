// The end of the program: the menu item "終了" and the window's close both run
// one shutdown routine.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

#include "app/form.h"
#include "settings/settings_file.h"

namespace kv {
namespace {

QString reasonText(const SaveResult& r) {
  switch (r.error) {
    case SaveError::FileReadOnly:
      return QCoreApplication::translate("SaveFailure", "ファイルが読み取り専用です。");
    case SaveError::FolderLocked:
      return QCoreApplication::translate("SaveFailure", "フォルダーに書き込む権限がありません。");
    case SaveError::DiskFull:
      return QCoreApplication::translate("SaveFailure", "ディスクの空き容量が足りません。");
    case SaveError::FolderMissing:
      return QCoreApplication::translate("SaveFailure", "フォルダーが見つかりません。");
    default:
      return QCoreApplication::translate("SaveFailure", "システムのエラー: %1")
          .arg(QString::fromLocal8Bit(std::strerror(r.sysError)));
  }
}

}  // namespace

// A save that fails is never passed over in silence: the player is told
// which file and why, once, and a line goes to standard error for logs.
void Form::ReportSaveFailure(const SaveResult& r) {
  Module1& m = mod();
  if (m.SaveFailureReported) return;
  m.SaveFailureReported = true;
  const QString file = QDir::toNativeSeparators(m.IniPath);
  std::fprintf(stderr, "korvane: settings not saved to %s: %s\n", qPrintable(file),
               std::strerror(r.sysError));
  plat.messageBox(
      QCoreApplication::translate(
          "SaveFailure",
          "設定ファイルに書き込めないため、オプションとハイスコアは保存されませんでした。"
          "\n\n%1\n\n%2")
          .arg(file, reasonText(r)),
      MsgIcon::Exclamation, QStringLiteral("qelmira"));
}

void Form::ShutDown() {
  Module1& m = mod();
  if (st.GameMode == 5 && st.RankPos >= 0 && st.RankPos < 10)
    m.hs.e[st.RankPos].Name = QStringLiteral("NoName");
  if (Snd) Snd->StopSound();
  // Nothing was loaded (a refused start) means nothing to save.
  if (!m.IniPath.isEmpty()) {
    SettingsData d{m.opt, readTicks(), m.hs, m.RecentName};
    if (const SaveResult r = SaveSettings(m.IniPath, d, formLeft(), formTop()); !r)
      ReportSaveFailure(r);
  }
  st.QuitRequested = -1;
}

}  // namespace kv
