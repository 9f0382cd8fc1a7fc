#include "app/locations.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "settings/settings_file.h"

namespace kv {

QStringList DataDirCandidates(const QString& programDir) {
  QStringList dirs{QDir::cleanPath(programDir)};
  for (const char* rel : {"/../share/games/korvane", "/../share/korvane"})
    dirs << QDir::cleanPath(programDir + QLatin1String(rel));
  return dirs;
}

bool HoldsData(const QString& dir) {
  const QDir d(dir);
  return QFileInfo(d.filePath(QStringLiteral("help"))).isDir() ||
         !d.entryList({QStringLiteral("*.wav")}, QDir::Files).isEmpty();
}

QString FindDataDir(const QString& programDir) {
  for (const QString& dir : DataDirCandidates(programDir))
    if (HoldsData(dir)) return dir;
  return programDir;
}

QString MissingDataNotice(const QString& programDir) {
  const QStringList dirs = DataDirCandidates(programDir);
  if (std::any_of(dirs.begin(), dirs.end(), HoldsData)) return {};
  return QStringLiteral("korvane: no sounds or help found; looked in ") +
         dirs.join(QStringLiteral(", "));
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

QString ChooseWindowsIniPath(const QString& programDir, const QString& appData,
                             const QStringList& programFilesDirs, bool installedMark) {
  const QString dir = QDir::cleanPath(QDir::fromNativeSeparators(programDir));
  // Windows paths compare without regard to case.
  const bool underProgramFiles =
      std::any_of(programFilesDirs.begin(), programFilesDirs.end(), [&](const QString& pf) {
        const QString base = QDir::cleanPath(QDir::fromNativeSeparators(pf));
        return !pf.isEmpty() && (dir.compare(base, Qt::CaseInsensitive) == 0 ||
                                 dir.startsWith(base + u'/', Qt::CaseInsensitive));
      });
  const QString beside = MakeIniPath(dir);
  if (!installedMark && !underProgramFiles &&
      (QFileInfo::exists(beside) || QFileInfo(dir).isWritable()))
    return beside;
  return QDir::cleanPath(QDir::fromNativeSeparators(appData) +
                         QStringLiteral("/KORVANE/qelmira.ini"));
}

}  // namespace kv
