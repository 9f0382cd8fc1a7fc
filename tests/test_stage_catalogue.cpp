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

TEST(StageCatalogueTest, StageLabel) {
  EXPECT_EQ(StageLabel(15), QStringLiteral("STAGE 15"));
  EXPECT_EQ(StageLabel(16), QStringLiteral("EXTRA STAGE"));
}

TEST(StageCatalogueTest, SetUpDrawsAndWritesTitleScoringAndStartPointKeepingOtherFields) {
  GameState before;
  before.m.PointX = 999;
  before.m.ParamA = 7;  // not a stage-4 parameter
  const GameState st = setUpWith(4, {0.75f}, before);
  EXPECT_EQ(st.StageTitle, QStringLiteral("Acceleration"));
  EXPECT_EQ(std::tuple(st.MissPenalty, st.ScalePoints, st.AnsColumn), std::tuple(240, 27, 14));
  EXPECT_EQ(std::pair(st.m.PrevX, st.m.PrevY), std::pair(0.0, 2625.0));
  EXPECT_DOUBLE_EQ(st.m.AccelY, 0.75 * 7.6 - 3.8);
  EXPECT_EQ(st.m.ParamA, 7);

  // Draw order and rounding.
  GameState race;
  race.m.StageCounter = 2;  // the bar order carries over between stages
  race = setUpWith(6, {0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f, 0.0f}, race);
  EXPECT_EQ(race.m.StageCounter, 2);
  EXPECT_EQ(race.m.RaceX[1], 0.375 * 990);
  EXPECT_EQ(race.m.RaceSpeed[3], 65);

  EXPECT_EQ(setUpWith(7, {0.5f, 0.0f}).m.TargetY, 2618);  // 2617.5 rounds to even
  EXPECT_EQ(setUpWith(9, {0.25f}).m.StageCounter, 52);    // 52.5 rounds to even
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
