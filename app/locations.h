#pragma once
// Where the program finds its data and keeps its settings file.
#include <QString>

namespace kv {

// The data (pictures, sounds, help) lie beside the program when it runs from
// the build tree or a copied folder; an installed program finds them in
// ../share/korvane from its own folder. With neither, the program's folder.
QString FindDataDir(const QString& programDir);

// The settings file "qelmira.ini": beside a portable program (its data
// beside it) when the file is there or can be made there. An installed
// program (its data elsewhere) always keeps it in $XDG_CONFIG_HOME/korvane
// (an unset or relative value means ~/.config), whatever lies beside it.
QString ChooseIniPath(const QString& programDir, const QString& dataDir,
                      const QString& xdgConfigHome, const QString& home);

}  // namespace kv
