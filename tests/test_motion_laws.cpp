#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "game/motion_laws.h"
#include "game/run_simulation.h"
#include "game/stage_catalogue.h"

namespace kv {
namespace {

// `counter`: StageCounter before the set-up.
GameState setUp(int16_t stage, Random& rnd, int32_t counter = 0) {
  GameState st;
  st.geo = DesignedGeometry();
  st.StageNo = stage;
  st.m.StageCounter = counter;
  st.m.ParamB = -7;  // named by the Spiral only; every other stage keeps it
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

// Every stage: its catalogue entry, its set-up and frames of its law, against
// values worked out from the designed formulas independently of this code.
// The draws are chosen so that halves rounded to even, signs, bounces, the
// wrap, the left-edge bounce and the right-edge cut all show.
TEST(MotionLawsTest, EveryStageSetsUpAndMovesByItsDesignedFormulas) {
  using Field = double MotionState::*;
  struct Frame {
    int n;
    double x, y;
  };
  struct Case {
    int16_t stage;
    const char* title;
    int16_t miss, points, column;
    std::vector<float> draws;  // the set-up's, then the law's
    std::vector<std::pair<Field, double>> setUp;
    std::vector<Frame> frames;
    int32_t counter = 0;  // StageCounter before the set-up, and after it
    int32_t counterAfter = 0;
    int32_t targetY = 0;
  };
  using M = MotionState;
  std::vector<float> surprise(61, 0.5f);  // 52.5 frames of scribble, rounded to 52
  surprise[0] = 0.25f;
  // One row per stage: number, title, miss penalty, points, answer column,
  // draws, set-up values, frames; then the counter before and after, TargetY.
  // clang-format off
  const Case cases[] = {
      {1, "Proportion", 120, 5, 36, {0.5f}, {{&M::VelY, 30.5}},
       {{1, 72, 30.5}, {3, 216, 91.5}, {87, 6218, 2634.0138888888887}}},
      {2, "Parabola", 75, 7, 40, {0.5f}, {{&M::VelY, 50}, {&M::AccelY, -0.405}},
       {{1, 36, 50}, {2, 72, 99.595}, {3, 108, 148.785}}},
      {3, "COS", 100, 10, 33, {0.5f, 0.25f},
       {{&M::PointY, 30}, {&M::AccelY, 4.5}, {&M::VelX, 27.75}},
       {{1, 27.75, 30}, {3, 83.25, 43.5}, {40, 1110, 3405}}},
      {4, "Acceleration", 240, 27, 14, {0.75f},
       {{&M::PointY, 2625}, {&M::VelX, 60}, {&M::AccelX, 1.6}, {&M::AccelY, 1.8999999999999995}},
       {{1, 60, 2625}, {2, 121.6, 2626.9}, {3, 185.2, 2630.7000000000003}}},
      {5, "Bounce", 180, 9, 34, {0.5f, 0.5f}, {{&M::ParamA, 0.9}, {&M::VelX, 30}},
       {{2, 60, 3}, {59, 1770, 5133}, {60, 1800, 5250}, {61, 1830, 5093.7}}},
      {6, "Race", 210, 24, 22, {0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f, 0.0f}, {},
       {{1, 710, 2654}, {2, 931.25, 3981}, {3, 197.5, 0}, {4, 453.75, 1341}, {5, 801.25, 2668}},
       1, 1},
      {7, "Saw", 250, 20, 27, {0.5f, 0.5f}, {{&M::VelX, 49.5}},
       {{1, 49.5, 218.75}, {2, 99, 434.47689140625}, {3, 148.5, 651.1562318069922},
        {25, 1237.5, 583.537010154072}},
       0, 0, 2618},
      {8, "Fret", 300, 18, 24, {0.25f}, {{&M::VelY, 100}},
       {{1, 0.005, 100}, {3, 0.05, 300}, {60, 189.10000000000005, 4500}}},
      {9, "Surprise Attack", 360, 14, 23, surprise, {},
       {{1, 3, 2625}, {52, 156, 2625}, {53, 366, 2625}}, 0, 52},
      {10, "Convergence", 250, 16, 25, {0.5f, 0.25f, 0.5f, 0.75f, 0.5f},
       {{&M::AccelY, 2625}, {&M::PointY, 2625}, {&M::VelX, 88.5}, {&M::VelY, 165}},
       {{1, 101.73, 2783.125}, {2, 201.7254, 2933.658606758269},
        {3, 300.020892, 3075.7278915350953}},
       0, 0, 1312},
      {11, "Noise", 320, 12, 25, {0.5f, 0.5f, 0.75f, 0.75f, 0.75f}, {{&M::VelX, 35}},
       {{1, 35, 3937.5}, {2, 70, 3930.129953473448}, {3, 105, 3922.7599069468956}}, 0, 0, 2625},
      {12, "MOD", 280, 15, 28, {0.5f, 0.5f}, {{&M::VelX, 57}, {&M::VelY, 186}},
       {{1, 57, 186}, {28, 1596, 5208}, {29, 1596, 0}, {30, 1653, 186}}},
      {13, "Jump", 800, 40, 22, {0.5f, 0.5f}, {{&M::VelX, 80}, {&M::VelY, 25}},
       {{2, 158, 50}, {82, 0, 2050}, {83, 100.8, 2085}}},
      {14, "Spiral", 500, 50, 5, {0.75f, 0.5f, 0.75f, 0.5f},
       {{&M::PointX, 3109}, {&M::PointY, 2625}, {&M::AccelX, 0.20000000000000007}, {&M::VelX, 150},
        {&M::ParamA, 0}, {&M::ParamB, 0.16}},
       {{1, 3109, 2655}, {2, 3131.4615237682706, 2658.0589095669934},
        {3, 3150.655320624527, 2667.079355927659}}},
      {15, "Ambition", 5000, 32, 20, {0.5f, 0.75f, 0.5f, 0.25f},
       {{&M::PointX, 3109}, {&M::AccelX, 3109}, {&M::VelX, 40}, {&M::VelY, -40}, {&M::ParamA, 2}},
       {{1, 3182.5, 2577.5}, {2, 3253.1505345502214, 2532.0806633875904},
        {3, 3320.9095539540704, 2488.7724136242177}}},
      {16, "Boundary", 0, 500, 51, {0.5f, 0.5f}, {{&M::PointY, 2639}, {&M::VelX, 0}},
       {{1, 0, 2639}, {2, 3, 2639}, {3, 9, 2639}}},
  };
  // clang-format on
  auto near = [](double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    Random rnd;
    for (float v : c.draws) rnd.feed(v);
    GameState st = setUp(c.stage, rnd, c.counter);
    EXPECT_EQ(std::tuple(st.StageTitle, st.MissPenalty, st.ScalePoints, st.AnsColumn),
              std::tuple(QString(c.title), c.miss, c.points, c.column));
    for (const auto& [field, value] : c.setUp) EXPECT_TRUE(near(st.m.*field, value)) << st.m.*field;
    const MotionState& m = st.m;
    EXPECT_EQ(std::tuple(m.PrevX, m.PrevY, m.ParamB == -7, m.StageCounter, m.TargetY),
              std::tuple(m.PointX, m.PointY, c.stage != 14,
                         c.counterAfter ? c.counterAfter : m.StageCounter,
                         c.targetY ? c.targetY : m.TargetY));
    int n = 0;
    for (const Frame& f : c.frames) {
      for (; n < f.n; ++n) step(c.stage, st.m, rnd);
      EXPECT_TRUE(near(st.m.PointX, f.x) && near(st.m.PointY, f.y))
          << "frame " << f.n << ": " << st.m.PointX << ", " << st.m.PointY;
    }
  }
}

// Single laws at their edges: the converging point never goes below the
// plot's last row of pixels; Race with a counter never produced by play stays
// inside the four bars; MOD wraps on reaching the bottom without advancing;
// Ambition slows only after the press near the end, moving right.
TEST(MotionLawsTest, SingleLawsAtTheirEdges) {
  Random rnd;
  MotionState m{.AccelY = 5245, .TargetY = 5245};
  ApplyLaw(10, m, DesignedGeometry(), DesignedPicture(), 2, 40, rnd);
  EXPECT_EQ(m.PointY, 5250 - 15);
  // COS still falls on its turning height itself.
  m = {.PointY = 1.93 * DesignedGeometry().RowHeight, .AccelY = 4};
  step(3, m, rnd);
  EXPECT_EQ(m.VelY, 4);

  Random race(3);
  m = setUp(6, race).m;
  m.StageCounter = -3;
  step(6, m, race);
  EXPECT_EQ(m.StageCounter, 2);

  // Lands exactly on PlotBottom: wraps in place.
  m = {.PointX = 100, .PointY = 5000, .VelX = 50, .VelY = 250};
  step(12, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(100.0, 0.0));
  m.PointY = 4999.5;  // half a twip short: moves on
  step(12, m, rnd);
  EXPECT_EQ(std::pair(m.PointX, m.PointY), std::pair(150.0, 5249.5));

  // Lands beyond PlotRight - 540 either way, or (moving 7) exactly on it or
  // one twip past.
  for (const auto& [mode, x, velX, period] :
       {std::tuple{3, 6000.0, 10.0, 400}, std::tuple{2, 6000.0, 10.0, 40},
        std::tuple{3, 6000.0, -10.0, 40}, std::tuple{3, 5671.0, 2.0, 40},
        std::tuple{3, 5672.0, 2.0, 400}}) {
    m = {.PointX = x, .VelX = velX, .AccelX = 7000, .ParamA = 2};
    EXPECT_EQ(step(15, m, rnd, mode), period) << mode << ' ' << x << ' ' << velX;
  }
  // Ambition bounces off the top and the foot of the plot at half speed.
  for (const auto& [y, velY, landY, bounced] :
       {std::tuple{10.0, -50.0, 0.0, 24.0}, std::tuple{5200.0, 50.0, 5250.0, -24.0}}) {
    m = {.PointX = 3000, .PointY = y, .VelY = velY, .AccelX = 7000, .ParamA = 2};
    step(15, m, rnd);
    EXPECT_EQ(std::pair(m.PointY, m.VelY), std::pair(landY, bounced)) << y;
  }
  // And off the picture's left edge at full speed, but not when it lands on it.
  for (const auto& [x, velX] : {std::pair{10.0, 48.0}, std::pair{84.0, -48.0}}) {
    m = {.PointX = x, .PointY = 2000, .VelX = -50, .AccelX = 7000, .ParamA = 2};
    step(15, m, rnd);
    EXPECT_EQ(std::pair(m.PointX, m.VelX), std::pair(0.0, velX)) << x;
  }
  // A run pressed at frame k moves frame k already as pressed.
  for (const auto& [pressAt, period] : {std::pair{1, 400}, std::pair{2, 40}}) {
    GameState st;
    st.StageNo = 15;
    st.m = {.PointX = 6000, .VelX = 10, .AccelX = 7000, .ParamA = 2};
    std::vector<int32_t> periods;
    SimulateRunFrames(st, rnd, pressAt, 1, &periods);
    EXPECT_EQ(periods, std::vector<int32_t>{period}) << pressAt;
  }
}

TEST(MotionLawsTest, EveryStageFinishesItsRun) {
  // The designed run lengths of the two first stages.
  for (const auto& [stage, frames] : {std::pair<int16_t, int>{1, 87}, {2, 173}}) {
    Random rnd(7);
    GameState st = setUp(stage, rnd);
    EXPECT_EQ(SimulateRunFrames(st, rnd), frames);
  }
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
