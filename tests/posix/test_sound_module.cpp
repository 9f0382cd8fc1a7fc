// The Linux program's sound module, found where each layout installs it.
#include <QCoreApplication>

#include "sound/module_sound_backend.h"
#include "tests/sim_fixture.h"

namespace kv::test {

// The sound module: beside the program (build tree, copied folder), else
// from the program's folder in Debian's layout for games or the plain one. A
// copy that does not load gives way to the next; with none, the notice names
// every place looked in. The real module is the one built beside the tests.
TEST(SoundModule, IsFoundBesideTheProgramOrInEitherInstalledLayout) {
  const QByteArray module = readFile(QCoreApplication::applicationDirPath() + "/korvane-sound.so");
  ASSERT_TRUE(module.startsWith("\177ELF"));
  // (program's folder, folders given the real module, folder given a file
  // that is no module, folder whose module loads or nullptr: none loads)
  const std::tuple<const char*, std::vector<const char*>, const char*, const char*> cases[] = {
      {"copy", {"copy", "usr/lib/korvane"}, nullptr, "copy"},
      {"usr/games", {"usr/lib/games/korvane", "usr/lib/korvane"}, nullptr, "usr/lib/games/korvane"},
      {"usr/bin", {"usr/lib/korvane"}, nullptr, "usr/lib/korvane"},
      {"usr/bin", {"usr/lib/korvane"}, "usr/bin", "usr/lib/korvane"},
      {"usr/bin", {"usr/share/korvane", "usr/lib"}, nullptr, nullptr},
      {"usr/games", {}, "usr/lib/games/korvane", nullptr},
  };
  for (const auto& [folder, modules, broken, found] : cases) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/";
    QDir().mkpath(root + folder);
    for (const char* dir : modules) put(root + dir + "/korvane-sound.so", module);
    if (broken) put(root + broken + "/korvane-sound.so", "not a module");
    const QString program = root + folder;
    SCOPED_TRACE(program.toStdString());
    ModuleSoundBackend sound(program);
    sound.prepare();
    EXPECT_EQ(sound.modulePath(), found ? root + found + "/korvane-sound.so" : QString());
    EXPECT_EQ(sound.notice().isEmpty(), found != nullptr);
    for (const QString& place : SoundModuleCandidates(program))
      EXPECT_EQ(sound.notice().contains(place), !found) << sound.notice().toStdString();
  }
}

}  // namespace kv::test
