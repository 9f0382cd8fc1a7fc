// Scores, ranks and the high-score table.
#include <gtest/gtest.h>

#include "game/scoring.h"
#include "platform/cp932.h"
#include "scores/ranking.h"
#include "settings/profile_file.h"
#include "settings/settings_file.h"

namespace kv {
namespace {

// Both sides of every threshold of the rank table.
TEST(ScoringTest, RankRuleAtEveryBoundary) {
  // (score, misses, rank)
  const std::tuple<int32_t, int16_t, int16_t> cases[] = {
      {5000, 11, 2}, {5000, 10, 5},               // Z: more than 10 misses
      {299, 7, 3},   {300, 7, 5},   {299, 6, 4},  // E: under 300 and more than 6 misses
      {299, 0, 4},   {300, 0, 5},   {-1, 11, 2},  // D: under 300
      {799, 0, 5},   {800, 0, 6},   {5000, 6, 5}, {5000, 5, 6},  // C
      {1199, 0, 6},  {1200, 0, 7},  {5000, 4, 6}, {5000, 3, 7},  // B
      {1599, 0, 7},  {1600, 0, 8},  {5000, 2, 7}, {1600, 1, 8},  // A, S
  };
  for (const auto& [score, misses, rank] : cases)
    EXPECT_EQ(RankRule(score, misses), rank) << score << " / " << misses;
}

// The verdict's score line, and the sweep's colour, whose halves round to even.
TEST(ScoringTest, VerdictTextAndSweepColour) {
  EXPECT_EQ(ScoreLineText(5, 10, 50), QStringLiteral("+5 x 10 = +50"));
  EXPECT_EQ(ScoreLineText(-3, 20, -60), QStringLiteral("-3 x 20 = -60"));
  // (intensity, k, n, red, blue)
  const std::tuple<int, int, int, int, int> cases[] = {
      {255, 1, 2, 128, 128}, {255, 1, 6, 42, 212}, {255, 120, 120, 255, 0}, {128, 1, 240, 1, 127}};
  for (const auto& [intensity, k, n, red, blue] : cases) {
    const SweepColor col = SweepColorAt(intensity, k, n);
    EXPECT_EQ(std::tuple(col.red, col.blue), std::tuple(red, blue))
        << intensity << ' ' << k << '/' << n;
  }
}

const QDate kToday(2002, 8, 17);

// A result (rank, score, stage) goes in above the first entry it beats: rank,
// then score, then stage decide, so a higher rank beats any score, and a full
// tie stays below (the older entry stays above). A negative score counts as
// 0; the extra stage (16) is never entered, stage 15 is the last regular one.
TEST(Ranking, Placement) {
  RankingTable defaults;
  ClearRanking(defaults);
  // Rank 2 everywhere, scores 1000, 900, ..., 100, stage 5.
  RankingTable graded;
  for (int i = 0; i < 10; ++i) graded.e[i] = {QString::number(i), "--/--/--", 1000 - 100 * i, 5, 2};
  const struct {
    const RankingTable& table;
    GameResult r;
    int pos;
  } cases[] = {
      {defaults, {1, 0, 1}, -1}, {defaults, {1, -120, 3}, 8}, {defaults, {8, 9999, 16}, -1},
      {graded, {2, 600, 5}, 5},  {graded, {2, 600, 6}, 4},    {graded, {2, 650, 1}, 4},
      {graded, {3, 0, 1}, 0},    {graded, {2, 100, 5}, -1},   {graded, {2, 600, 4}, 5},
      {graded, {2, 601, 1}, 4},  {graded, {1, 9999, 15}, -1}, {graded, {2, 100, 6}, 9},
      {graded, {2, 1000, 5}, 1}, {graded, {2, 1000, 6}, 0},   {graded, {2, 1001, 1}, 0},
      {graded, {2, 99, 15}, -1}, {graded, {2, 5000, 15}, 0},  {graded, {2, 5000, 16}, -1}};
  for (const auto& c : cases) {
    RankingTable t = c.table;
    GameResult r = c.r;
    ASSERT_EQ(PlaceResult(t, r, kToday), c.pos) << c.r.Score << " " << c.r.StageNo;
    if (c.pos < 0) {
      for (int i = 0; i < 10; ++i) EXPECT_EQ(t.e[i].Name, c.table.e[i].Name);
      continue;
    }
    const int32_t score = std::max(c.r.Score, 0);
    const RankingEntry& e = t.e[c.pos];
    EXPECT_EQ(std::tuple(r.Score, e.Name, e.Date, e.Score, e.Stage, e.Rank),
              std::tuple(score, QString(10, u' '), QString("02/08/17"), score, c.r.StageNo,
                         c.r.FinalRank));
    // The entries below move down one; the last is dropped.
    for (int i = c.pos + 1; i < 10; ++i) {
      const RankingEntry &now = t.e[i], &was = c.table.e[i - 1];
      EXPECT_EQ(std::tuple(now.Name, now.Score, now.Stage),
                std::tuple(was.Name, was.Score, was.Stage));
    }
  }
}

TEST(Ranking, NormalizeName) {
  // (typed, in half width, stored)
  const std::tuple<QString, QString, QString> cases[] = {
      {"   ", "   ", "NONAME"},
      {"\u3000\u3000", "  ", "NONAME"},
      {"ABCDEFGHIJ", "ABCDEFGHIJ", "ABCDEFGHIJ"},
      {"ABCDEFGHIJK", "ABCDEFGHIJK", "?"},
      {"ＡＢＣ", "ABC", "ABC"},
      {"\u3000ａ１！\u3000", " a1! ", " a1! "},
      {"カタカナ", "ｶﾀｶﾅ", "ｶﾀｶﾅ"},
      // Voiced kana become two half-width characters: still 10 bytes.
      {"ガギグゲゴ", "ｶﾞｷﾞｸﾞｹﾞｺﾞ", "ｶﾞｷﾞｸﾞｹﾞｺﾞ"},
      {"ガギグゲゴザ", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞ", "?"},
      {"漢字漢字漢", "漢字漢字漢", "漢字漢字漢"},
      {"漢字漢字漢字", "漢字漢字漢字", "?"},
      // The ends of the full-width ASCII block; its neighbours are not in the
      // code page.
      {"！～＼\uFF00\uFF5F", "!~\\", "!~\\"},
      {"ヴパポ・ーヲンヱ", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝヱ", "?"},
      {"ヴパポ・ーヲン", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝ", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝ"},
      {"ァッョヵヶヮ", "ｧｯｮヵヶヮ", "ｧｯｮヵヶヮ"},
      // Symbols without a half-width form in Shift-JIS are kept as typed and
      // count two bytes each.
      {"○■←│", "○■←│", "○■←│"},
      {"■■■■■", "■■■■■", "■■■■■"},
      {"■■■■■■", "■■■■■■", "?"},
      // Punctuation and voiced marks that Shift-JIS holds in one byte; a
      // combining mark joins its kana first.
      {"ひらが「」", "ひらが｢｣", "ひらが｢｣"},
      {"。「ア」、・゛゜", "｡｢ｱ｣､･ﾞﾟ", "｡｢ｱ｣､･ﾞﾟ"},
      {"カ\u3099ハ\u309Aか\u3099\u3099", "ｶﾞﾊﾟがﾞ", "ｶﾞﾊﾟがﾞ"},
      // Only what code page 932 holds: an accented letter loses its accent
      // (composed or not), a best fit is taken, anything else is left out.
      {"ZOË", "ZOE", "ZOE"},
      {"Zoe\u0308 Müller", "Zoe Muller", "Zoe Muller"},
      {"〜Ａ😀" + QString(QChar(0xD800)) + "B", "~AB", "~AB"},
      {"😀😀", "", "NONAME"},
      {"中文简体", "中文体", "中文体"}};
  for (const auto& [in, halfWidth, stored] : cases) {
    QString name = in;
    EXPECT_EQ(NormalizeName(name), stored) << in.toStdString();
    EXPECT_EQ(name, halfWidth) << in.toStdString();
  }
}

// A date is kept only in its own form. Names are padded to ten columns of
// the fixed-pitch face, a column for each byte in Shift-JIS; a rank code
// outside 1..8 shows a blank; numbers keep their leading zeros and grow to
// the right.
TEST(Ranking, DatesAndTableLines) {
  EXPECT_EQ(
      QStringList({CheckDate("2002/8/17"), CheckDate("02/08/17"),
                   FormatRankingDate(QDate(2010, 1, 5)), CheckDate(FormatRankingDate(QDate()))}),
      QStringList({"--/--/--", "02/08/17", "10/01/05", "--/--/--"}));
  const std::pair<RankingEntry, QString> cases[] = {
      {{"Empty", "--/--/--", 0, 10, 1}, "Empty       --/--/--     -  00000     10"},
      {{"山田太郎", "02/08/17", 123, 7, 8}, "山田太郎    02/08/17     S  00123     07"},
      {{"ｶﾞｷﾞ漢", "02/08/17", 99999, 15, 2}, "ｶﾞｷﾞ漢      02/08/17     Z  99999     15"},
      {{"ABCDEFGHIJ", "02/08/17", 123456, 115, 0}, "ABCDEFGHIJ  02/08/17        123456     115"},
      {{"", "02/08/17", -5, -1, 9}, "            02/08/17        -00005     -01"},
  };
  for (const auto& [e, line] : cases) EXPECT_EQ(FormatRankingLine(e), line) << line.toStdString();
}

// Kanji, katakana and Latin names side by side: every column of the line
// starts at the same byte of Shift-JIS, which is the same column of the
// fixed-pitch face; the name itself is not changed.
TEST(Ranking, TableColumnsLineUpWhateverTheName) {
  const QString heading = "NAME            DATE  RANK  SCORE  STAGE";
  for (const QString name : {"漢字漢字漢", "山田", "ｶﾀｶﾅ", "ﾊﾟﾊﾟ漢字", "ABCDEFGHIJ", "A", "?"}) {
    const RankingEntry e{name, "02/08/17", 1234, 5, 6};
    const QByteArray line = toCp932(FormatRankingLine(e));
    EXPECT_EQ(line.size(), heading.size()) << name.toStdString();
    EXPECT_EQ(std::tuple(line.left(toCp932(name).size()), line.mid(10)),
              std::tuple(toCp932(name), QByteArray("  02/08/17     B  01234     05")))
        << name.toStdString();
    EXPECT_EQ(e.Name, name);
  }
}

// A name as the player typed it is the name the table shows, the file keeps
// and the next run reads, in a Shift-JIS file and in a UTF-8 one; quotes
// around it included, written so that a reader removing one pair (as the
// system's profile reader does) gets it back as well.
TEST(Ranking, ANameSurvivesTheFileAndARestart) {
  const QString typed[] = {"Zoë", "\"KID\"", "'A'", "\"", "漢字ｶﾞ「」", "😀ZOË😀", " \"Q\" "};
  for (const QByteArray& mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
    SettingsData d;
    ClearRanking(d.ranking);
    for (size_t n = 0; n < std::size(typed); ++n) {
      QString name = typed[n].trimmed();
      d.ranking.e[n].Name = NormalizeName(name);
    }
    d.recentName = d.ranking.e[1].Name;
    ProfileFile file(mark);
    StoreSettings(file, d, 0, 0);
    SettingsData back;
    WindowPlacement win{0, 0, 100, 100, 1000, 1000};
    ASSERT_TRUE(LoadSettings(ProfileFile(file.bytes()), back, win));
    QStringList kept, read;
    for (size_t n = 0; n < std::size(typed); ++n) {
      kept << d.ranking.e[n].Name;
      read << back.ranking.e[n].Name;
    }
    EXPECT_EQ(kept, QStringList({"Zoe", "\"KID\"", "'A'", "\"", "漢字ｶﾞ｢｣", "ZOE", "\"Q\""}));
    EXPECT_EQ(read, kept);
    EXPECT_EQ(back.recentName, "\"KID\"");
    EXPECT_TRUE(file.bytes().contains("\nName1=\"\"KID\"\"\r\n"));
  }
}

}  // namespace
}  // namespace kv
