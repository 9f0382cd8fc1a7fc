#pragma once
// Where the program finds its data and keeps its settings file.
#include <QString>
#include <QStringList>

namespace kv {

// The data (sounds, help; the pictures are built in) lie beside the program
// when it runs from the build tree or a copied folder; an installed program
// finds them from its own folder in ../share/games/korvane (Debian's layout
// for games) or ../share/korvane. These are the folders tried, in order.
QStringList DataDirCandidates(const QString& programDir);

// Whether a folder holds the data: the help's folder or a sound effect.
bool HoldsData(const QString& dir);

// The first candidate that holds the data; with none, the program's folder.
QString FindDataDir(const QString& programDir);

// The line for standard error when no candidate holds the data, naming the
// folders looked in; empty when the data was found.
QString MissingDataNotice(const QString& programDir);

// The settings file "qelmira.ini": beside a portable program (its data
// beside it) when the file is there or can be made there. An installed
// program (its data elsewhere) always keeps it in $XDG_CONFIG_HOME/korvane
// (an unset or relative value means ~/.config), whatever lies beside it.
QString ChooseIniPath(const QString& programDir, const QString& dataDir,
                      const QString& xdgConfigHome, const QString& home);
// The same on Windows, where the data always lie beside the program: a copy
// the installer marked (`installedMark`) or one lying under a Program Files
// folder keeps its file in <appData>/KORVANE; any other copy is portable and
// keeps it beside itself, unless it has none yet and cannot make one there.
QString ChooseWindowsIniPath(const QString& programDir, const QString& appData,
                             const QStringList& programFilesDirs, bool installedMark);
// The file by which the installer marks the copy it installed, beside the
// program.
inline constexpr char kInstalledMarker[] = "korvane.installed";

}  // namespace kv
