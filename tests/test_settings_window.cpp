// The settings file as the window uses it: read at start-up into the option
// ticks, the table and the window position; written once at the end, also
// when the window is closed from inside a running stage.
#include <unistd.h>

#include <QFile>

#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

using SettingsWindow = SimGame;

TEST_F(SettingsWindow, StartUpTicksTheStoredOptionsAndLoadsTheTable) {
  writeFile(dir.path() + "/qelmira.ini",
            "; kept by hand\r\n[option]\r\nLineWidth = \" 2\"\nSoundEffectOnOff= 1\r\n"
            "CountDownSpeed=7\r\n[Ranking]\r\nName0=\x82\x60\x82\x61\x82\x62\r\n"
            "Score0= 1200\r\nRank0=8\r\n"
            "[Mine]\r\nfoo=bar\r\n[IniCheck]\r\nDummy=1\r\n");
  Form& f = start();
  EXPECT_EQ(mod().opt.OptLineWidth, 3);
  EXPECT_TRUE(f.linewidth[2]->Checked());
  EXPECT_FALSE(f.linewidth[0]->Checked());
  EXPECT_EQ(mod().opt.OptSoundEffect, 1);
  EXPECT_TRUE(f.soundeffectonoff[1]->Checked());
  // An unrecognised value unticks every item and keeps the default.
  EXPECT_EQ(mod().opt.OptCountDownSpeed, 0);
  for (auto& it : f.CountDownSpeed) EXPECT_FALSE(it->Checked());
  EXPECT_EQ(mod().hs.e[0].Name, "ABC");
  EXPECT_EQ(mod().hs.e[0].Score, 1200);
  EXPECT_EQ(mod().hs.e[0].Rank, 8);

  // Menu clicks change the option and its ticks at once.
  f.linewidth[1]->click();
  EXPECT_EQ(mod().opt.OptLineWidth, 2);
  EXPECT_TRUE(f.linewidth[1]->Checked());
  EXPECT_FALSE(f.linewidth[2]->Checked());
  f.linewidth[1]->click();  // the ticked item stays ticked
  EXPECT_TRUE(f.linewidth[1]->Checked());

  f.ShutDown();
  EXPECT_EQ(st().QuitRequested, -1);
  const QByteArray out = readFile(dir.path() + "/qelmira.ini");
  EXPECT_TRUE(out.startsWith("; kept by hand\r\n"));
  // The key keeps its spelling and place; the value is the new tick's index.
  EXPECT_TRUE(out.contains("\r\nLineWidth = 1\r\n")) << out.constData();
  EXPECT_TRUE(out.contains("[Mine]\r\nfoo=bar\r\n"));
  // No tick, no key: the unrecognised count-down value stays as it was.
  EXPECT_TRUE(out.contains("CountDownSpeed=7\r\n"));
  EXPECT_TRUE(out.contains("[IniCheck]\r\nDummy=1\r\n"));
  // The new section goes at the end of the file.
  EXPECT_TRUE(out.contains("[Form]\r\nLeft="));
}

TEST_F(SettingsWindow, SoundOffSilencesEveryEffectIncludingTheBlockingMiss) {
  Form& f = start();
  f.soundeffectonoff[1]->click();
  EXPECT_EQ(mod().opt.OptSoundEffect, 1);
  sim->simSound().plays.clear();
  clickAns();  // START: a run without an answer is a MISS
  EXPECT_EQ(st().GameMode, 1);
  EXPECT_EQ(f.CmdAns->Caption(), "RETRY!");
  EXPECT_TRUE(sim->simSound().plays.empty());

  f.soundeffectonoff[0]->click();
  clickAns();
  QStringList s = sounds();
  EXPECT_EQ(s.front(), "ans_str");
  EXPECT_EQ(s.count("count1"), 3);
  EXPECT_EQ(s.count("count2"), 1);
  ASSERT_TRUE(s.contains("miss"));
  for (const auto& p : sim->simSound().plays)
    EXPECT_EQ(p.sync, p.name == "miss") << p.name.toStdString();
}

// The window closed by the desktop while the point moves: the settings are
// saved and the program ends from inside the frame loop.
TEST_F(SettingsWindow, ClosingTheWindowDuringARunSavesAndEnds) {
  const QString fixed = QString("/tmp/korvane-close-%1").arg(getpid());
  QDir().mkpath(fixed);
  QFile::remove(fixed + "/qelmira.ini");
  EXPECT_EXIT(
      {
        sim->dir = QString("/tmp/korvane-close-%1").arg(getppid());
        Form& f = start();
        sim->when([&] { return st().GameMode == 2 && f.CmdAns->Enabled(); },
                  [&] { sim->after(400, [&] { f.win->close(); }); });
        clickAns();
        std::_Exit(7);  // not reached: the run ends the program
      },
      ::testing::ExitedWithCode(0), "");
  const QByteArray out = readFile(fixed + "/qelmira.ini");
  EXPECT_TRUE(out.startsWith("[Option]\r\n")) << out.constData();
  EXPECT_TRUE(out.endsWith("[IniCheck]\r\nDummy=1\r\n"));
  QDir(fixed).removeRecursively();
}

}  // namespace kv::test
