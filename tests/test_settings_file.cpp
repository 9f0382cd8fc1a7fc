// The settings file: its layout, what a load keeps and changes, the window's
// place. How saves meet the file system's refusals is tested per system.
#include <QFileInfo>
#include <limits>
#include <random>

#include "platform/cp932.h"
#include "tests/settings_fixture.h"

namespace kv::test {

TEST(SettingsFile, LeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"", 0},      {" 12", 12}, {"1 2\t3", 123}, {"-\t5", -5},   {"\n7", 7},       {"3.5x", 3.5},
      {"+.5", 0.5}, {".", 0},    {"abc", 0},      {"1E-2", .01},  {"1e", 1},        {"2d2", 200},
      {"1\r2", 1},  {"0x10", 0}, {"--1", 0},      {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  // Too small for a double however large its written exponent.
  EXPECT_EQ(LeadingNumber("0." + QString(400, u'0') + "1e5"), 0.0);
}

TEST(SettingsFile, FreshFileLayout) {
  Fixture f;
  f.d.recentName = "ｱｲ";
  // A save leaves no file open behind it.
  auto openFiles = [] {
    return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  };
  const QStringList before = openFiles();
  // A leftover of a save that died, under the first temporary name, is passed over.
  const QString leftover =
      f.path + ".new" + QString::number(QCoreApplication::applicationPid()) + "-0";
  writeFile(leftover, "x");
  for (int i = 0; i < 2; ++i)
    ASSERT_TRUE(SaveSettings(f.path, f.d, 1200, 840.5));  // new, then over
  EXPECT_EQ(std::pair(openFiles(), readFile(leftover)), std::pair(before, QByteArray("x")));
  const QByteArray out = readFile(f.path);
  EXPECT_EQ(out.count('\n'), 62);
  EXPECT_TRUE(out.startsWith(
      "[Option]\r\nKakudai= 0\r\nLineWidth= 0\r\nCountDownSpeed= 0\r\nSoundEffectOnOff= 0\r\n"
      "[Ranking]\r\nName0=Empty\r\nDate0=--/--/--\r\nScore0= 0\r\nStage0= 10\r\nRank0=1\r\n"));
  EXPECT_TRUE(out.endsWith("RecentName=" + toCp932("ｱｲ") +
                           "\r\n[Form]\r\nLeft= 1200\r\nTop= 840.5\r\n[IniCheck]\r\nDummy=1\r\n"));
}

TEST(SettingsFile, RoundTripKeepsWhatTheProgramDoesNotOwn) {
  Fixture f;
  ASSERT_TRUE(f.load(
      "; my notes\n[option]\nkakudai = 1\nLineWidth=3\nMystery=42\n[Ranking]\nName0=" +
      toCp932("ＡＢＣ") +
      "\nDate0=02/08/17\nScore0= 1500\nStage0=15\nRank0=8\nName1=" + toCp932("漢字漢字漢字") +
      "\nDate1=2002/8/17\nRank1=-3\nScore2=99999999999\nRank2=40000\nStage2=-7.5\n"
      "RecentName=  Bob  \n\n[Plugins]\nx=1\n[IniCheck]\nDummy=1"));
  const SettingsData& d = f.d;
  // A width beyond the menu's three ticks none and keeps the default.
  EXPECT_EQ(std::pair(d.opt.OptKakudai, d.opt.OptLineWidth), std::pair(int16_t(1), 1));
  EXPECT_EQ(d.ticks.kakudai, (std::array<bool, 2>{false, true}));
  const RankingEntry &e0 = d.ranking.e[0], &e1 = d.ranking.e[1], &e2 = d.ranking.e[2];
  EXPECT_EQ(std::tuple(e0.Name, e0.Date, e0.Score, e0.Stage, e0.Rank),
            std::tuple(QString("ABC"), QString("02/08/17"), 1500, 15, 8));
  EXPECT_EQ(std::tuple(e1.Name, e1.Date, e1.Rank),
            std::tuple(QString("?"), QString("--/--/--"), 1));
  // Out-of-range numbers are clamped; halves round to even.
  EXPECT_EQ(std::tuple(e2.Score, e2.Rank, e2.Stage, d.ranking.e[3].Name, d.recentName),
            std::tuple(INT32_MAX, INT16_MAX, -8, QString("NONAME"), QString("Bob")));

  ASSERT_TRUE(SaveSettings(f.path, d, f.win.left, f.win.top));
  const QByteArray saved = readFile(f.path);
  EXPECT_TRUE(
      saved.startsWith("; my notes\n[option]\nkakudai = 1\r\nLineWidth=3\nMystery=42\n"
                       "CountDownSpeed= 0\r\nSoundEffectOnOff= 0\r\n[Ranking]\nName0=ABC\r\n"));
  EXPECT_TRUE(saved.contains("\n\n[Plugins]\nx=1\n[IniCheck]\nDummy=1\r\n[Form]\r\nLeft= 0\r\n"));

  Fixture again;
  ASSERT_TRUE(LoadSettings(f.path, again.d, again.win));
  for (int i = 0; i < 10; ++i) {
    const RankingEntry &a = again.d.ranking.e[i], &b = d.ranking.e[i];
    EXPECT_EQ(std::tuple(a.Name, a.Score, a.Rank), std::tuple(b.Name, b.Score, b.Rank)) << i;
  }
}

TEST(SettingsFile, FileWithoutMarkerChangesNothing) {
  for (const char* file :
       {"[Option]\nKakudai=1\n", "[Option]\nKakudai=1\n[IniCheck]\nDummy=0.4\n"}) {
    Fixture f;
    f.win.left = 123;
    EXPECT_FALSE(f.load(file)) << file;
    EXPECT_EQ(std::tuple(f.d.opt.OptKakudai, f.d.ranking.e[0].Name, f.win.left),
              std::tuple(0, QString("Empty"), 123.0));
  }
  Fixture f;
  EXPECT_FALSE(LoadSettings(f.path, f.d, f.win));  // no file at all
}

TEST(SettingsFile, WindowPosition) {
  // (the Form section, left, top, the window's width and height)
  const std::tuple<const char*, double, double, double, double> cases[] = {
      {"", 0, 0, 9000, 6000},
      // The screen's size itself is accepted.
      {"Left= 19200\nTop= 14400", 19200, 14400, 9000, 6000},
      {"Left=19201\nTop=300", 5100, 300, 9000, 6000},
      {"Left=-1\nTop=-0.5", 5100, 4200, 9000, 6000},
      {"Left=15\nTop=99999", 15, 4200, 9000, 6000},
      // (screen - window) is rounded half to even before halving.
      {"Left=-1\nTop=-1", 5100, 5101, 19200 - 10200.5, 14400 - 10201.5},
  };
  for (const auto& [form, left, top, width, height] : cases) {
    Fixture f;
    f.win.width = width;
    f.win.height = height;
    ASSERT_TRUE(f.load(QByteArray("[Form]\n") + form + "\n[IniCheck]\nDummy=1\n"));
    EXPECT_EQ(std::pair(f.win.left, f.win.top), std::pair(left, top)) << form;
  }
}

}  // namespace kv::test
