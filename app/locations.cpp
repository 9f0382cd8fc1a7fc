#include "app/locations.h"

#include <QDir>
#include <QFileInfo>

#include "settings/settings_file.h"

namespace kv {

QString FindDataDir(const QString& programDir) {
  if (QFileInfo(programDir + QStringLiteral("/title.png")).isFile()) return programDir;
  const QString shared = QDir::cleanPath(programDir + QStringLiteral("/../share/korvane"));
  if (QFileInfo(shared).isDir()) return shared;
  return programDir;
}

QString ChooseIniPath(const QString& programDir, const QString& dataDir,
                      const QString& xdgConfigHome, const QString& home) {
  const QString beside = MakeIniPath(programDir);
  // A game whose data lie elsewhere is installed: its folder is not its own,
  // even where the user could write to it (~/.local/bin), and a stray file
  // there is not ours. A portable copy keeps its file beside itself, unless
  // it has none yet and cannot make one there.
  const bool portable = QDir(dataDir) == QDir(programDir);
  if (portable && (QFileInfo::exists(beside) || QFileInfo(programDir).isWritable())) return beside;
  const QString base =
      QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + QStringLiteral("/.config");
  return QDir::cleanPath(base + QStringLiteral("/korvane/qelmira.ini"));
}

}  // namespace kv
