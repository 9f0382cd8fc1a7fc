#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "sound/module_sound_backend.h"
#include "sound/sound.h"
#include "tests/sim_fixture.h"

namespace kv {
namespace {

// The sound module: beside the program (build tree, copied folder), else
// from the program's folder in Debian's layout for games or the plain one. A
// copy that does not load gives way to the next; with none, the notice names
// every place looked in. The real module is the one built beside the tests.
TEST(SoundModule, IsFoundBesideTheProgramOrInEitherInstalledLayout) {
  const QString built = QCoreApplication::applicationDirPath() + "/korvane-sound.so";
  ASSERT_TRUE(QFile::exists(built));
  const struct {
    const char* program;
    std::vector<const char*> modules;  // folders given the real module
    const char* broken;                // folder given a file that is no module
    const char* found;                 // nullptr: none loads
  } cases[] = {
      {"copy", {"copy", "usr/lib/korvane"}, nullptr, "copy"},
      {"usr/games", {"usr/lib/games/korvane", "usr/lib/korvane"}, nullptr, "usr/lib/games/korvane"},
      {"usr/bin", {"usr/lib/korvane"}, nullptr, "usr/lib/korvane"},
      {"usr/bin", {"usr/lib/korvane"}, "usr/bin", "usr/lib/korvane"},
      {"usr/bin", {"usr/share/korvane", "usr/lib"}, nullptr, nullptr},
      {"usr/games", {}, "usr/lib/games/korvane", nullptr},
  };
  for (const auto& c : cases) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/";
    QDir().mkpath(root + c.program);
    for (const char* dir : c.modules) {
      QDir().mkpath(root + dir);
      ASSERT_TRUE(QFile::copy(built, root + dir + "/korvane-sound.so"));
    }
    if (c.broken) {
      QDir().mkpath(root + c.broken);
      test::writeFile(root + c.broken + "/korvane-sound.so", "not a module");
    }
    const QString program = root + c.program;
    SCOPED_TRACE(program.toStdString());
    ModuleSoundBackend sound(program);
    sound.prepare();
    EXPECT_EQ(sound.modulePath(), c.found ? root + c.found + "/korvane-sound.so" : QString());
    EXPECT_EQ(sound.notice().isEmpty(), c.found != nullptr);
    for (const QString& place : SoundModuleCandidates(program))
      EXPECT_EQ(sound.notice().contains(place), !c.found) << sound.notice().toStdString();
  }
}

// Without the module nothing is heard, but a sound played to its end still
// holds the program for its length, so the game keeps its rhythm.
TEST(SoundModule, WithoutItASoundToItsEndStillTakesItsLength) {
  QTemporaryDir empty;
  ModuleSoundBackend sound(empty.path());
  const QString effect = QCoreApplication::applicationDirPath() + "/ans_end";
  const uint32_t ms = WavDurationMs(effect + ".wav");
  ASSERT_GT(ms, 0u);
  sound.playAsync(effect);
  QElapsedTimer clock;
  clock.start();
  sound.playSync(effect);
  EXPECT_GE(clock.elapsed(), ms);
  sound.stop();
  EXPECT_TRUE(sound.modulePath().isEmpty());
  EXPECT_FALSE(sound.notice().isEmpty());
}

}  // namespace
}  // namespace kv
