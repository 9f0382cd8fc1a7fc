#include <gtest/gtest.h>

#include "scores/ranking.h"

namespace kv {
namespace {

const QDate kToday(2002, 8, 17);

TEST(Ranking, Dates) {
  EXPECT_EQ(CheckDate("2002/8/17"), "--/--/--");
  EXPECT_EQ(CheckDate("02/08/17"), "02/08/17");
  EXPECT_EQ(FormatRankingDate(QDate(2010, 1, 5)), "10/01/05");
  EXPECT_EQ(CheckDate(FormatRankingDate(QDate())), "--/--/--");
}

TEST(Ranking, GameOverWithNegativeScoreTiesEntrySevenAndGoesBelowIt) {
  RankingTable t;
  ClearRanking(t);
  GameResult r{1, -120, 3};
  EXPECT_EQ(PlaceResult(t, r, kToday), 8);
  EXPECT_EQ(r.Score, 0);
  EXPECT_EQ(t.e[7].Name, "Empty");
  const RankingEntry& e = t.e[8];
  EXPECT_EQ(std::tuple(e.Name, e.Date, e.Score, e.Stage, e.Rank),
            std::tuple(QString(10, u' '), QString("02/08/17"), 0, 3, 1));
  EXPECT_EQ(t.e[9].Stage, 2);  // old entry 8 moved down, old 9 dropped
}

TEST(Ranking, Placement) {
  RankingTable defaults;
  ClearRanking(defaults);
  // Rank 2 everywhere, scores 1000, 900, ..., 100, stage 5.
  RankingTable graded;
  for (int i = 0; i < 10; ++i) graded.e[i] = {QString::number(i), "--/--/--", 1000 - 100 * i, 5, 2};
  struct Case {
    const RankingTable& table;
    GameResult r;
    int pos;
  } cases[] = {
      {defaults, {1, 0, 1}, -1},      // ties the last entry
      {defaults, {8, 9999, 16}, -1},  // extra stage: never entered
      {graded, {2, 600, 5}, 5},       // equal to entry 4: the older entry stays above
      {graded, {2, 600, 6}, 4},       // same rank and score, later stage
      {graded, {2, 650, 1}, 4},      {graded, {3, 0, 1}, 0},  // a higher rank beats any score
      {graded, {2, 100, 5}, -1},
  };
  for (const Case& c : cases) {
    RankingTable t = c.table;
    GameResult r = c.r;
    ASSERT_EQ(PlaceResult(t, r, kToday), c.pos) << c.r.Score << " " << c.r.StageNo;
    if (c.pos < 0) {
      for (int i = 0; i < 10; ++i) EXPECT_EQ(t.e[i].Name, c.table.e[i].Name);
      continue;
    }
    EXPECT_EQ(t.e[c.pos].Score, c.r.Score);
    EXPECT_EQ(t.e[c.pos].Rank, c.r.FinalRank);
    EXPECT_EQ(t.e[c.pos + 1].Name, c.table.e[c.pos].Name);
  }
}

TEST(Ranking, NormalizeName) {
  struct Case {
    QString in, halfWidth, stored;
  } cases[] = {
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
  };
  for (const Case& c : cases) {
    QString name = c.in;
    EXPECT_EQ(NormalizeName(name), c.stored) << c.in.toStdString();
    EXPECT_EQ(name, c.halfWidth) << c.in.toStdString();
  }
}

}  // namespace
}  // namespace kv
