// Where an installed or a portable copy keeps its settings on Windows. The
// folders are asked of the shell, not of environment variables, and kept
// in UTF-16 throughout: a user name in any script works.
#include "app/locations.h"

#include <windows.h>
// after windows.h, which declares their types

#include <knownfolders.h>
#include <shlobj.h>

#include <QDir>
#include <QFileInfo>

#include "platform/system.h"

namespace kv::sys {
namespace {

QString knownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  QString result;
  if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
    result = QDir::fromNativeSeparators(QString::fromWCharArray(path));
  ::CoTaskMemFree(path);
  return result;
}

}  // namespace

QString SettingsFilePath(const QString& programDir, const QString&) {
  QString appData = knownFolder(FOLDERID_RoamingAppData);
  if (appData.isEmpty()) appData = QDir::homePath() + QStringLiteral("/AppData/Roaming");
  const QStringList programFiles{knownFolder(FOLDERID_ProgramFiles),
                                 knownFolder(FOLDERID_ProgramFilesX86)};
  const bool marked = QFileInfo::exists(QDir(programDir).filePath(QLatin1String(kInstalledMarker)));
  return ChooseWindowsIniPath(programDir, appData, programFiles, marked);
}

}  // namespace kv::sys
