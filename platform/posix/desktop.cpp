// The settings file's place and the fonts on Linux and other POSIX desktops.
#include <QDir>

#include "app/locations.h"
#include "platform/platform.h"
#include "platform/system.h"
#include "sound/module_sound_backend.h"

namespace kv::sys {

QString SettingsFilePath(const QString& programDir, const QString& dataDir) {
  return ChooseIniPath(programDir, dataDir, qEnvironmentVariable("XDG_CONFIG_HOME"),
                       QDir::homePath());
}

// The IPA faces come from the system's packages (the game's package depends
// on them); fontconfig finds them.
void AddShippedFonts(const QString&) {}

// A terminal's streams are the program's own.
void UseParentConsole() {}

// Qt Multimedia, from a module loaded once the title is up.
std::unique_ptr<SoundBackend> MakeSoundBackend(const QString& programDir) {
  return std::make_unique<ModuleSoundBackend>(programDir);
}

}  // namespace kv::sys
