#include <gtest/gtest.h>

#include <initializer_list>

#include "game/run_simulation.h"
#include "game/stage_catalogue.h"

namespace kv {
namespace {

GameState setUpWith(int16_t stage, std::initializer_list<float> draws, GameState st = {}) {
  st.geo = DesignedGeometry();
  st.StageNo = stage;
  Random rnd;
  for (float v : draws) rnd.feed(v);
  SetUpStage(st, rnd);
  return st;
}

// A sign draw of exactly 0.5 gives sign 0; Convergence draws its sign before
// the magnitude, Spiral and Ambition after it. Spiral's zero is replaced by +1
// because a zero radius would hold the point at mid-plot forever.
TEST(StageCatalogueTest, SignDraws) {
  struct Case {
    int16_t stage;
    std::initializer_list<float> draws;
    double velX, velY;
  };
  const Case cases[] = {
      {10, {0.2f, 0.4f, 0.6f, 0.5f, 0.25f}, double{0.6f} * 15 + 81, 0},
      {10, {0.2f, 0.4f, 0.6f, 0.25f, 0.25f}, double{0.6f} * 15 + 81, -142.5},
      {14, {0.25f, 0.5f, 0.5f, 0.5f}, 150, 0},
      {14, {0.25f, 0.5f, 0.25f, 0.5f}, -150, 0},
      {15, {0.25f, 0.5f, 0.75f, 0.5f}, 0, 0},
      {15, {0.25f, 0.75f, 0.75f, 0.25f}, 35, -45},
  };
  for (const Case& c : cases) {
    const GameState st = setUpWith(c.stage, c.draws);
    EXPECT_DOUBLE_EQ(st.m.VelX, c.velX) << c.stage;
    if (c.stage != 14) {
      EXPECT_DOUBLE_EQ(st.m.VelY, c.velY) << c.stage;
    }
    EXPECT_EQ(st.m.PrevX, c.stage == 10 ? 0 : 3109);
  }
}

TEST(StageCatalogueTest, BoundaryStartsJustAboveARowBoundary) {
  struct Case {
    float row, lift;
    double y;
  };
  for (const Case c :
       {Case{0.25f, 0.5f, 1327 - 15}, Case{0.5f, 0.0f, 2654}, Case{0.999f, 0.999f, 2654 - 29}}) {
    GameState before;
    before.m.VelX = 12;
    const GameState st = setUpWith(16, {c.row, c.lift}, before);
    EXPECT_EQ(st.m.PrevY, c.y) << c.row << ' ' << c.lift;
    EXPECT_EQ(st.m.VelX, 0);
  }
}

}  // namespace
}  // namespace kv
