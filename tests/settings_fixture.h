#pragma once
// A settings file in a folder of its own, with the program's defaults.
#include <QTemporaryDir>

#include "settings/file_replace.h"
#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {

// Default settings; the window is 600x400 pixels on a 1280x960 screen.
struct Fixture {
  QTemporaryDir dir;
  QString path = MakeIniPath(dir.path());
  SettingsData d;
  WindowPlacement win{0, 0, 9000, 6000, 19200, 14400};
  Fixture() { ClearRanking(d.ranking); }
  bool load(const QByteArray& file) {
    writeFile(path, file);
    return LoadSettings(path, d, win);
  }
};

}  // namespace kv::test
