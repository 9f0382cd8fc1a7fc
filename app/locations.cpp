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
  if (QFileInfo::exists(beside)) return beside;
  // The folder of a copied or built game is its own; bin/ of an installed
  // one is not, even where the user could write to it (~/.local/bin).
  if (QDir(dataDir) == QDir(programDir) && QFileInfo(programDir).isWritable()) return beside;
  const QString base =
      QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + QStringLiteral("/.config");
  return QDir::cleanPath(base + QStringLiteral("/korvane/qelmira.ini"));
}

}  // namespace kv
