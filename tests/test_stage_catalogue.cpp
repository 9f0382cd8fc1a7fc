#include <gtest/gtest.h>

#include <vector>

#include "game/run_simulation.h"
#include "game/stage_catalogue.h"

namespace kv {
namespace {

// Sets up `stage` on the given draws; the set-up must take exactly those
// (the next draw of a run depends on it).
GameState setUpWith(int16_t stage, const std::vector<float>& draws, GameState st = {}) {
  st.geo = DesignedGeometry();
  st.StageNo = stage;
  Random rnd;
  for (float v : draws) rnd.feed(v);
  rnd.feed(0.0625f);
  SetUpStage(st, rnd);
  EXPECT_EQ(rnd(), 0.0625f) << "stage " << stage;
  return st;
}

// Race: two draws for each of its four bars.
TEST(StageCatalogueTest, RaceDrawsTwoNumbersForEachBar) {
  const GameState st = setUpWith(6, {0, 0.5f, 0, 0.5f, 0, 0.5f, 0, 0.5f});
  EXPECT_EQ(st.m.RaceSpeed[3], 0.5 * 35 + 65);
}

// A sign draw of exactly 0.5 gives sign 0; Convergence draws its sign before
// the magnitude, Spiral and Ambition after it. Spiral's zero is replaced by +1
// because a zero radius would hold the point at mid-plot forever.
TEST(StageCatalogueTest, SignDraws) {
  // (stage, draws, x velocity, y velocity)
  const std::tuple<int16_t, std::vector<float>, double, double> cases[] = {
      {10, {0.2f, 0.4f, 0.6f, 0.5f, 0.25f}, double{0.6f} * 15 + 81, 0},
      {10, {0.2f, 0.4f, 0.6f, 0.25f, 0.25f}, double{0.6f} * 15 + 81, -142.5},
      {14, {0.25f, 0.5f, 0.5f, 0.5f}, 150, 0},
      {14, {0.25f, 0.5f, 0.25f, 0.5f}, -150, 0},
      {15, {0.25f, 0.5f, 0.75f, 0.5f}, 0, 0},
      {15, {0.25f, 0.75f, 0.75f, 0.25f}, 35, -45},
  };
  for (const auto& [stage, draws, velX, velY] : cases) {
    const GameState st = setUpWith(stage, draws);
    EXPECT_DOUBLE_EQ(st.m.VelX, velX) << stage;
    EXPECT_DOUBLE_EQ(st.m.VelY, stage != 14 ? velY : st.m.VelY) << stage;
    EXPECT_EQ(st.m.PrevX, stage == 10 ? 0 : 3109);
  }
}

TEST(StageCatalogueTest, BoundaryStartsJustAboveARowBoundary) {
  // (row draw, lift draw, starting y)
  const std::tuple<float, float, double> cases[] = {
      {0.25f, 0.5f, 1327 - 15}, {0.5f, 0.0f, 2654}, {0.999f, 0.999f, 2654 - 29}};
  for (const auto& [row, lift, y] : cases) {
    GameState before;
    before.m.VelX = 12;
    const GameState st = setUpWith(16, {row, lift}, before);
    EXPECT_EQ(std::pair(st.m.PrevY, st.m.VelX), std::pair(y, 0.0)) << row << ' ' << lift;
  }
}

}  // namespace
}  // namespace kv
