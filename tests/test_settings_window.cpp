// The settings file as the window uses it: read at start-up into the option
// ticks, the table and the window position; written once at the end (the
// window closed from inside a running stage: with the end-of-game tests).
#include <QActionGroup>

#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {

using SettingsWindow = SimGame;

TEST_F(SettingsWindow, StartUpTicksTheStoredOptionsAndLoadsTheTable) {
  writeFile(dir.path() + "/qelmira.ini",
            "; kept by hand\r\n[option]\r\nLineWidth = \" 2\"\nSoundEffectOnOff= 1\r\n"
            "CountDownSpeed=0.5\r\n[Ranking]\r\nName0=\x82\x60\x82\x61\x82\x62\r\n"
            "Score0= 1200\r\nRank0=8\r\n[IniCheck]\r\nDummy=1\r\n");
  Form& f = start();
  auto ticks = [](auto& items) {
    QString t;
    for (auto& it : items) t += it->Checked() ? 'x' : '-';
    return t;
  };
  EXPECT_EQ(mod().opt.OptLineWidth, 3);
  EXPECT_EQ(ticks(f.linewidth), "--x");
  EXPECT_EQ(mod().opt.OptSoundEffect, 1);
  EXPECT_EQ(ticks(f.soundeffectonoff), "-x");
  EXPECT_EQ(ticks(f.kakudaionoff), "x-");  // no key: the first item
  // An unrecognised value unticks every item and keeps the default.
  EXPECT_EQ(mod().opt.OptCountDownSpeed, 0);
  EXPECT_EQ(ticks(f.CountDownSpeed), "---");
  // The items of each option exclude each other and so show radio marks.
  for (auto* items : {&f.kakudaionoff, &f.linewidth, &f.CountDownSpeed, &f.soundeffectonoff})
    for (auto& it : *items) EXPECT_TRUE(it->action()->actionGroup()->isExclusive());
  EXPECT_EQ(mod().hs.e[0].Name, "ABC");
  EXPECT_EQ(mod().hs.e[0].Rank, 8);

  // Menu clicks change the option and its ticks at once.
  f.linewidth[1]->click();
  f.linewidth[1]->click();  // the ticked item stays ticked
  EXPECT_EQ(mod().opt.OptLineWidth, 2);
  EXPECT_EQ(ticks(f.linewidth), "-x-");

  f.ShutDown();
  EXPECT_EQ(st().QuitRequested, -1);
  // The value is the new tick's index; with no tick the unrecognised
  // count-down value stays as it was; the missing key follows the last.
  EXPECT_TRUE(readFile(dir.path() + "/qelmira.ini")
                  .startsWith("; kept by hand\r\n[option]\r\nLineWidth = 1\r\n"
                              "SoundEffectOnOff= 1\r\nCountDownSpeed=0.5\r\nKakudai= 0\r\n"));
}

TEST_F(SettingsWindow, SoundOffSilencesEveryEffectIncludingTheBlockingMiss) {
  Form& f = start();
  f.soundeffectonoff[1]->click();
  sim->simSound().plays.clear();
  clickAns();  // START: a run without an answer is a MISS
  EXPECT_EQ(st().MissCount, 1);
  EXPECT_TRUE(sim->simSound().plays.empty());

  f.soundeffectonoff[0]->click();
  clickAns();
  QStringList s = sounds();
  EXPECT_EQ(s.front(), "ans_str");
  ASSERT_TRUE(s.contains("miss"));
  for (const auto& p : sim->simSound().plays)
    EXPECT_EQ(p.sync, p.name == "miss") << p.name.toStdString();
}

}  // namespace kv::test
