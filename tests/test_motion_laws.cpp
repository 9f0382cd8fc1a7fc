#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/motion_laws.h"
#include "game/run_simulation.h"
#include "game/stage_catalogue.h"

namespace kv {
namespace {

GameState setUp(int16_t stage, Random& rnd) {
  GameState st;
  st.geo = DesignedGeometry();
  st.StageNo = stage;
  SetUpStage(st, rnd);
  return st;
}

// One frame of the run loop: law, clip, hand-over to the next segment.
int32_t step(int16_t stage, MotionState& m, Random& rnd, int32_t gameMode = 2) {
  const int32_t p = ApplyLaw(stage, m, DesignedGeometry(), DesignedPicture(), gameMode, 40, rnd);
  ClipAtRightEdge(m, 6218);
  m.PrevX = m.PointX;
  m.PrevY = m.PointY;
  return p;
}

TEST(MotionLawsTest, RunLengthsAndTheCutAtTheRightEdge) {
  for (float r : {0.0f, 0.3f, 0.9999f}) {
    Random rnd;
    rnd.feed(r);
    GameState st = setUp(1, rnd);
    const double s = st.m.VelY;
    EXPECT_EQ(SimulateRunFrames(st, rnd), 87) << r;
    EXPECT_EQ(st.m.PointX, 6218);
    EXPECT_NEAR(st.m.PointY, 86 * s + 26.0 / 72.0 * s, 1e-9) << r;
  }
  Random rnd(7);
  GameState st = setUp(2, rnd);
  EXPECT_EQ(SimulateRunFrames(st, rnd), 173);
}

TEST(MotionLawsTest, RaceVisitsBarsInTurnAndRaisesOffsetOnBarOne) {
  Random rnd(3);
  MotionState m = setUp(6, rnd).m;
  m.StageCounter = 3;
  const double head0 = m.RaceX[0] + m.RaceSpeed[0], head1 = m.RaceX[1] + m.RaceSpeed[1];
  step(6, m, rnd);
  EXPECT_EQ(std::tuple(m.StageCounter, m.PointX, m.PointY), std::tuple(0, head0, 0.0));
  step(6, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(head1, 1327.0 + 14));

  m.StageCounter = -3;  // never produced by play, but must not index outside the bars
  step(6, m, rnd);
  EXPECT_EQ(m.StageCounter, 2);
}

TEST(MotionLawsTest, SurpriseAttackScribblesThenShootsRight) {
  Random rnd;
  rnd.feed(0.0f);
  MotionState m = setUp(9, rnd).m;
  ASSERT_EQ(m.StageCounter, 30);
  for (int f = 1; f <= 30; ++f) {
    rnd.feed(f / 64.0f);
    step(9, m, rnd);
    EXPECT_EQ(m.PointX, 3 * f);
  }
  step(9, m, rnd);
  step(9, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(90.0 + 2 * 210, 30 / 64.0 * 5250));
}

TEST(MotionLawsTest, ModWrapsOnReachingTheBottomWithoutAdvancing) {
  Random rnd;
  MotionState m;
  m.PointX = 100;
  m.VelX = 50;
  m.VelY = 250;
  m.PointY = 5000;  // lands exactly on PlotBottom: wraps in place
  step(12, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(100.0, 0.0));
  m.PointY = 4999.5;  // half a twip short: moves on
  step(12, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(150.0, 5249.5));
}

TEST(MotionLawsTest, JumpBouncesOffTheLeftEdge) {
  for (const float r : {0.0f, 0.5f, 0.999f}) {
    for (const double velY : {25.0, -25.0}) {
      Random rnd;
      rnd.feed(r);
      rnd.feed(r);
      MotionState m;
      m.PointX = 10;
      m.VelX = -20;  // -22 after this frame's slow-down
      m.PointY = 1000;
      m.VelY = velY;
      step(13, m, rnd);
      EXPECT_EQ(m.PointX, 0);
      EXPECT_DOUBLE_EQ(m.VelX, 22 * (r * 1.2 + 0.6));
      EXPECT_DOUBLE_EQ(m.VelY, std::copysign(r * 30.0 + 20, velY));
    }
  }
}

TEST(MotionLawsTest, AmbitionSlowsOnlyAfterPressNearTheEndMovingRight) {
  for (const auto& [mode, velX, period] :
       {std::tuple{3, 10.0, 400}, std::tuple{2, 10.0, 40}, std::tuple{3, -10.0, 40}}) {
    Random rnd;
    MotionState m;
    m.ParamA = 2;
    m.PointX = 6000;  // lands beyond PlotRight - 540 either way
    m.AccelX = 7000;
    m.VelX = velX;
    EXPECT_EQ(step(15, m, rnd, mode), period) << mode << ' ' << velX;
  }
}

TEST(MotionLawsTest, EveryStageFinishesItsRun) {
  for (int16_t stage = 1; stage <= 16; ++stage) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      Random rnd(seed * 7919u + static_cast<uint32_t>(stage));
      GameState st = setUp(stage, rnd);
      EXPECT_GT(SimulateRunFrames(st, rnd, static_cast<int>(seed) * 5, 200000), 0)
          << "stage " << stage << " seed " << seed;
      EXPECT_EQ(st.m.PointX, 6218);
    }
  }
  // Zero signs: Convergence without a vertical step, Spiral, Ambition at rest.
  for (const auto& [stage, draws] : {std::pair<int16_t, std::vector<float>>{10, {0, 0, 0, 0.5f}},
                                     {14, {0, 0, 0.5f, 0}},
                                     {15, {0, 0.5f, 0, 0.5f}}}) {
    Random rnd(5);
    for (float v : draws) rnd.feed(v);
    GameState st = setUp(stage, rnd);
    EXPECT_GT(SimulateRunFrames(st, rnd, -1, 200000), 0) << stage;
  }
}

}  // namespace
}  // namespace kv
