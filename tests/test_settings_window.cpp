// The settings file as the window uses it: read at start-up into the option
// ticks, the table and the window position; written once at the end (the
// window closed from inside a running stage: with the end-of-game tests).
#include <QActionGroup>
#include <QStringEncoder>

#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {

using SettingsWindow = SimGame;

// The stored options are ticked at start-up and the table loaded; menu clicks
// change an option and its ticks at once; with the sound switched off every
// effect is silent, the blocking miss too; the options are written back at
// the end.
TEST_F(SettingsWindow, StoredOptionsAreTickedHeardAndWrittenBack) {
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
  // Kakudai has no key: its first item. An unrecognised value (the count-down
  // speed) unticks every item and keeps the default.
  EXPECT_EQ(
      std::tuple(mod().opt.OptLineWidth, mod().opt.OptSoundEffect, mod().opt.OptCountDownSpeed),
      std::tuple(3, 1, 0));
  EXPECT_EQ(std::tuple(ticks(f.linewidth), ticks(f.soundeffectonoff), ticks(f.kakudaionoff),
                       ticks(f.CountDownSpeed)),
            std::tuple(QString("--x"), QString("-x"), QString("x-"), QString("---")));
  // The items of each option exclude each other and so show radio marks.
  for (auto* items : {&f.kakudaionoff, &f.linewidth, &f.CountDownSpeed, &f.soundeffectonoff})
    for (auto& it : *items) EXPECT_TRUE(it->action()->actionGroup()->isExclusive());
  EXPECT_EQ(std::tuple(mod().hs.e[0].Name, mod().hs.e[0].Rank), std::tuple(QString("ABC"), 8));

  f.linewidth[1]->click();
  f.linewidth[1]->click();  // the ticked item stays ticked
  EXPECT_EQ(std::tuple(mod().opt.OptLineWidth, ticks(f.linewidth)), std::tuple(2, QString("-x-")));

  f.soundeffectonoff[0]->click();
  sim->simSound().plays.clear();
  clickAns();  // START: a run without an answer is a MISS
  QStringList s = sounds();
  EXPECT_EQ(s.front(), "ans_str");
  ASSERT_TRUE(s.contains("miss"));
  for (const auto& p : sim->simSound().plays)
    EXPECT_EQ(p.sync, p.name == "miss") << p.name.toStdString();
  f.soundeffectonoff[1]->click();
  sim->simSound().plays.clear();
  clickAns();
  EXPECT_EQ(std::tuple(st().MissCount, sim->simSound().plays.size()), std::tuple(2, 0u));

  f.ShutDown();
  EXPECT_EQ(st().QuitRequested, -1);
  // The value is the new tick's index; with no tick the unrecognised
  // count-down value stays as it was; the missing key follows the last.
  EXPECT_TRUE(readFile(dir.path() + "/qelmira.ini")
                  .startsWith("; kept by hand\r\n[option]\r\nLineWidth = 1\r\n"
                              "SoundEffectOnOff= 1\r\nCountDownSpeed=0.5\r\nKakudai= 0\r\n"));
}

// A file an editor saved as UTF-16 (the other encodings take the same path
// through the settings) keeps the options, the table and the last name
// through a start and a close, and stays in its encoding.
TEST_F(SettingsWindow, AUtf16FileKeepsEverythingThroughAStartAndAClose) {
  const QString path = dir.path() + "/qelmira.ini";
  const QString text =
      "[Option]\r\nLineWidth= 2\r\n[Ranking]\r\nName0=ＡＢＣ\r\nScore0= 1200\r\n"
      "RecentName=漢字ｶﾅ\r\n[IniCheck]\r\nDummy=1\r\n";
  writeFile(path, "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(text)));
  start();
  EXPECT_EQ(
      std::tuple(mod().opt.OptLineWidth, mod().hs.e[0].Name, mod().hs.e[0].Score, mod().RecentName),
      std::tuple(3, QString("ABC"), 1200, QString("漢字ｶﾅ")));
  form->ShutDown();
  const QByteArray saved = readFile(path);
  ASSERT_TRUE(saved.startsWith("\xFF\xFE"));
  const QString back = QStringDecoder(QStringDecoder::Utf16LE)(saved.mid(2));
  EXPECT_TRUE(back.startsWith("[Option]\r\nLineWidth= 2\r\n")) << back.left(40).toStdString();
  EXPECT_EQ(std::tuple(back.count("[Option]"), back.contains("RecentName=漢字ｶﾅ\r\n")),
            std::tuple(1, true));
}

// A save that cannot happen is told once, with the file and the reason.
TEST_F(SettingsWindow, AFailedSaveIsToldOnce) {
  Form& f = start();
  writeFile(dir.path() + "/blocker", "not a folder");
  mod().IniPath = dir.path() + "/blocker/qelmira.ini";
  f.ShutDown();
  f.ShutDown();
  ASSERT_EQ(sim->messages.size(), 1u);
  EXPECT_EQ(sim->icons[0], MsgIcon::Exclamation);
  EXPECT_TRUE(sim->messages[0].startsWith("qelmira: 設定ファイルに書き込めない"));
  EXPECT_TRUE(
      sim->messages[0].contains(QDir::toNativeSeparators(dir.path() + "/blocker/qelmira.ini")));
  EXPECT_TRUE(sim->messages[0].endsWith("フォルダーが見つかりません。"));
  EXPECT_EQ(st().QuitRequested, -1);
}

}  // namespace kv::test
