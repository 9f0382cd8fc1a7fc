// Scores, ranks and the high-score table.
#include <gtest/gtest.h>

#include "game/scoring.h"
#include "scores/ranking.h"

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
      // The ends of the full-width ASCII block, and its neighbours, which stay.
      {"！～＼\uFF00\uFF5F", "!~\\\uFF00\uFF5F", "!~\\\uFF00\uFF5F"},
      {"ヴパポ・ーヲンヱ", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝヱ", "?"},
      {"ヴパポ・ーヲン", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝ", "ｳﾞﾊﾟﾎﾟ･ｰｦﾝ"},
      {"ァッョヵヶヮ", "ｧｯｮヵヶヮ", "ｧｯｮヵヶヮ"},
      // Symbols without a half-width form in Shift-JIS are kept as typed and
      // count two bytes each.
      {"○■←│", "○■←│", "○■←│"},
      {"■■■■■", "■■■■■", "■■■■■"},
      {"■■■■■■", "■■■■■■", "?"},
      {"ひらが「」", "ひらが「」", "ひらが「」"}};
  for (const auto& [in, halfWidth, stored] : cases) {
    QString name = in;
    EXPECT_EQ(NormalizeName(name), stored) << in.toStdString();
    EXPECT_EQ(name, halfWidth) << in.toStdString();
  }
}

// A date is kept only in its own form. Names are padded to ten characters,
// not bytes; a rank code outside 1..8 shows a blank; numbers keep their
// leading zeros and grow to the right.
TEST(Ranking, DatesAndTableLines) {
  EXPECT_EQ(
      QStringList({CheckDate("2002/8/17"), CheckDate("02/08/17"),
                   FormatRankingDate(QDate(2010, 1, 5)), CheckDate(FormatRankingDate(QDate()))}),
      QStringList({"--/--/--", "02/08/17", "10/01/05", "--/--/--"}));
  const std::pair<RankingEntry, QString> cases[] = {
      {{"Empty", "--/--/--", 0, 10, 1}, "Empty       --/--/--     -  00000     10"},
      {{"山田太郎", "02/08/17", 123, 7, 8}, "山田太郎        02/08/17     S  00123     07"},
      {{"ｶﾞｷﾞ漢", "02/08/17", 99999, 15, 2}, "ｶﾞｷﾞ漢       02/08/17     Z  99999     15"},
      {{"ABCDEFGHIJ", "02/08/17", 123456, 115, 0}, "ABCDEFGHIJ  02/08/17        123456     115"},
      {{"", "02/08/17", -5, -1, 9}, "            02/08/17        -00005     -01"},
  };
  for (const auto& [e, line] : cases) EXPECT_EQ(FormatRankingLine(e), line) << line.toStdString();
}

}  // namespace
}  // namespace kv
