#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <limits>

#include "platform/cp932.h"
#include "settings/settings_file.h"

namespace kv {
namespace {

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Default settings; the window is 600x400 pixels on a 1280x960 screen.
struct Fixture {
  QTemporaryDir dir;
  QString path = MakeIniPath(dir.path());
  SettingsData d;
  WindowPlacement win{0, 0, 9000, 6000, 19200, 14400};
  Fixture() { ClearRanking(d.ranking); }
  bool load(const QByteArray& file) {
    writeAll(path, file);
    return LoadSettings(path, d, win);
  }
};

TEST(SettingsFile, LeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},      {" 12", 12}, {"1 2\t3", 123}, {"-\t5", -5},   {"\n7", 7},       {"3.5x", 3.5},
      {"+.5", 0.5}, {".", 0},    {"abc", 0},      {"1E-2", .01},  {"1e", 1},        {"2d2", 200},
      {"1\r2", 1},  {"0x10", 0}, {"--1", 0},      {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

TEST(SettingsFile, FreshFileLayout) {
  Fixture f;
  f.d.recentName = "ｱｲ";
  ASSERT_TRUE(SaveSettings(f.path, f.d, 1200, 840.5));
  const QList<QByteArray> lines = readAll(f.path).split('\n');
  ASSERT_EQ(lines.size(), 63);
  const std::pair<int, QByteArray> expected[] = {
      {0, "[Option]"},
      {1, "Kakudai= 0"},
      {4, "SoundEffectOnOff= 0"},
      {5, "[Ranking]"},
      {6, "Name0=Empty"},
      {7, "Date0=--/--/--"},
      {8, "Score0= 0"},
      {9, "Stage0= 10"},
      {10, "Rank0=1"},
      {11, "Name1=Empty"},
      {56, "RecentName=" + toCp932("ｱｲ")},
      {57, "[Form]"},
      {58, "Left= 1200"},
      {59, "Top= 840.5"},
      {60, "[IniCheck]"},
      {61, "Dummy=1"},
  };
  for (const auto& [i, text] : expected) EXPECT_EQ(lines[i], text + '\r');
  EXPECT_EQ(lines[62], "");
}

TEST(SettingsFile, RoundTripKeepsWhatTheProgramDoesNotOwn) {
  Fixture f;
  ASSERT_TRUE(
      f.load("; my notes\n[option]\nkakudai = 1\nMystery=42\n"
             "[Ranking]\nName0=" +
             toCp932("ＡＢＣ") +
             "\nDate0=02/08/17\n"
             "Score0= 1500\nStage0=15\nRank0=8\n"
             "Name1=" +
             toCp932("漢字漢字漢字") +
             "\nDate1=2002/8/17\nRank1=-3\n"
             "Score2=99999999999\nRank2=40000\nStage2=-7.5\nRecentName=  Bob  \n\n"
             "[Plugins]\nx=1\n[IniCheck]\nDummy=1"));
  const SettingsData& d = f.d;
  EXPECT_EQ(d.opt.OptKakudai, 1);
  EXPECT_EQ(d.ticks.kakudai, (std::array<bool, 2>{false, true}));
  const RankingEntry& e0 = d.ranking.e[0];
  EXPECT_EQ(e0.Name, "ABC");
  EXPECT_EQ(e0.Date, "02/08/17");
  EXPECT_EQ(e0.Score, 1500);
  EXPECT_EQ(e0.Stage, 15);
  EXPECT_EQ(e0.Rank, 8);
  EXPECT_EQ(d.ranking.e[1].Name, "?");
  EXPECT_EQ(d.ranking.e[1].Date, "--/--/--");
  EXPECT_EQ(d.ranking.e[1].Rank, 1);
  // Out-of-range numbers are clamped; halves round to even.
  EXPECT_EQ(d.ranking.e[2].Score, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(d.ranking.e[2].Rank, std::numeric_limits<int16_t>::max());
  EXPECT_EQ(d.ranking.e[2].Stage, -8);
  EXPECT_EQ(d.ranking.e[3].Name, "NONAME");
  EXPECT_EQ(d.recentName, "Bob");

  ASSERT_TRUE(SaveSettings(f.path, d, f.win.left, f.win.top));
  const QByteArray saved = readAll(f.path);
  EXPECT_TRUE(
      saved.startsWith("; my notes\n[option]\nkakudai = 1\r\nMystery=42\nLineWidth= 0\r\n"
                       "CountDownSpeed= 0\r\nSoundEffectOnOff= 0\r\n[Ranking]\nName0=ABC\r\n"));
  EXPECT_TRUE(saved.contains("\n\n[Plugins]\nx=1\n[IniCheck]\nDummy=1\r\n[Form]\r\nLeft= 0\r\n"));

  Fixture again;
  ASSERT_TRUE(LoadSettings(f.path, again.d, again.win));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(again.d.ranking.e[i].Name, d.ranking.e[i].Name);
    EXPECT_EQ(again.d.ranking.e[i].Score, d.ranking.e[i].Score);
    EXPECT_EQ(again.d.ranking.e[i].Rank, d.ranking.e[i].Rank);
  }
}

TEST(SettingsFile, FileWithoutMarkerChangesNothing) {
  for (const char* file :
       {"[Option]\nKakudai=1\n", "[Option]\nKakudai=1\n[IniCheck]\nDummy=0.4\n"}) {
    Fixture f;
    f.win.left = 123;
    EXPECT_FALSE(f.load(file)) << file;
    EXPECT_EQ(f.d.opt.OptKakudai, 0);
    EXPECT_EQ(f.d.ranking.e[0].Name, "Empty");
    EXPECT_EQ(f.win.left, 123);
  }
  Fixture f;
  EXPECT_FALSE(LoadSettings(f.path, f.d, f.win));  // no file at all
}

TEST(SettingsFile, OptionValues) {
  Fixture f;
  f.d.opt.OptCountDownSpeed = 1;
  f.d.ticks.countDown = {false, true, false};
  ASSERT_TRUE(
      f.load("[Option]\nKakudai=7\nLineWidth= 2\nCountDownSpeed=0.5\nSoundEffectOnOff= 1\n"
             "[IniCheck]\nDummy=1\n"));
  // Unrecognised values: nothing ticked, value kept.
  EXPECT_EQ(f.d.ticks.kakudai, (std::array<bool, 2>{false, false}));
  EXPECT_EQ(f.d.opt.OptKakudai, 0);
  EXPECT_EQ(f.d.ticks.countDown, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(f.d.opt.OptCountDownSpeed, 1);
  EXPECT_EQ(f.d.opt.OptLineWidth, 3);
  EXPECT_EQ(f.d.ticks.lineWidth, (std::array<bool, 3>{false, false, true}));
  EXPECT_EQ(f.d.opt.OptSoundEffect, 1);
  EXPECT_EQ(f.d.ticks.sound, (std::array<bool, 2>{false, true}));

  // No tick, no key written: the stored values stay as they were.
  ASSERT_TRUE(SaveSettings(f.path, f.d, 0, 0));
  EXPECT_TRUE(
      readAll(f.path).startsWith("[Option]\nKakudai=7\nLineWidth= 2\r\nCountDownSpeed=0.5\n"));

  // A file without the key ticks the first item.
  ASSERT_TRUE(f.load("[IniCheck]\nDummy=1\n"));
  EXPECT_EQ(f.d.ticks.sound, (std::array<bool, 2>{true, false}));
  EXPECT_EQ(f.d.opt.OptSoundEffect, 0);
}

TEST(SettingsFile, WindowPosition) {
  struct Case {
    const char* form;
    double left, top;
    double width = 9000, height = 6000;
  } cases[] = {
      {"", 0, 0},
      {"Left= 19200\nTop= 14400", 19200, 14400},  // the screen's size itself is accepted
      {"Left=19201\nTop=300", 5100, 300},
      {"Left=-1\nTop=-0.5", 5100, 4200},
      {"Left=15\nTop=99999", 15, 4200},
      // (screen - window) is rounded half to even before halving.
      {"Left=-1\nTop=-1", 5100, 5101, 19200 - 10200.5, 14400 - 10201.5},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.win.width = c.width;
    f.win.height = c.height;
    ASSERT_TRUE(f.load(QByteArray("[Form]\n") + c.form + "\n[IniCheck]\nDummy=1\n"));
    EXPECT_EQ(f.win.left, c.left) << c.form;
    EXPECT_EQ(f.win.top, c.top) << c.form;
  }
}

TEST(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
  Fixture f;
  const QByteArray old = "; keep me\r\n[IniCheck]\r\nDummy=1\r\n";
  writeAll(f.path, old);

  // The disk fills up half-way (a file size limit binds root too).
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 256;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = SaveSettings(f.path, f.d, 0, 0);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(ok);
  EXPECT_EQ(readAll(f.path), old);
  EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"qelmira.ini"});

  // The target is a directory.
  const QString dirPath = f.dir.filePath("asdir.ini");
  ASSERT_TRUE(QDir().mkdir(dirPath));
  EXPECT_FALSE(SaveSettings(dirPath, f.d, 0, 0));
  EXPECT_TRUE(QFileInfo(dirPath).isDir());

  // The directory is a regular file.
  const QString notDir = f.dir.filePath("plain");
  writeAll(notDir, "data");
  EXPECT_FALSE(SaveSettings(notDir + "/qelmira.ini", f.d, 0, 0));
  EXPECT_FALSE(WriteIni(notDir + "/qelmira.ini", "S", "k", "v"));
  EXPECT_EQ(readAll(notDir), "data");
}

}  // namespace
}  // namespace kv
