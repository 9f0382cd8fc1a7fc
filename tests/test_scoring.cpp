#include <gtest/gtest.h>

#include "game/scoring.h"

namespace kv {
namespace {

TEST(ScoringTest, RankRuleTestsTheTableInOrder) {
  struct Case {
    int32_t score;
    int16_t misses, rank;
  };
  const Case cases[] = {{5000, 11, 2}, {1600, 0, 8}, {1599, 0, 7}, {1600, 2, 7}, {299, 7, 3},
                        {299, 6, 4},   {300, 6, 5},  {799, 0, 5},  {5000, 4, 6}, {1200, 0, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(RankRule(c.score, c.misses), c.rank) << c.score << " / " << c.misses;
  }
}

TEST(ScoringTest, VerdictTexts) {
  EXPECT_EQ(ScoreLineText(5, 10, 50), QStringLiteral("+5 x 10 = +50"));
  EXPECT_EQ(ScoreLineText(-3, 20, -60), QStringLiteral("-3 x 20 = -60"));
}

TEST(ScoringTest, SweepColourRoundsHalvesToEven) {
  struct Case {
    int intensity, k, n, red, blue;
  };
  const Case cases[] = {
      {255, 1, 2, 128, 128}, {255, 1, 6, 42, 212}, {255, 120, 120, 255, 0}, {128, 1, 240, 1, 127}};
  for (const Case& c : cases) {
    const SweepColor col = SweepColorAt(c.intensity, c.k, c.n);
    EXPECT_EQ(col.red, c.red) << c.intensity << ' ' << c.k << '/' << c.n;
    EXPECT_EQ(col.blue, c.blue) << c.intensity << ' ' << c.k << '/' << c.n;
  }
}

}  // namespace
}  // namespace kv
