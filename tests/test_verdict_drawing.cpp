// What the verdict reads and draws: the pixel probe of the answer strip, and
// the magnifier for close calls.
#include <cmath>

#include "tests/stage_player.h"

namespace kv::test {

using VerdictDrawing = StagePlayer;

TEST_F(VerdictDrawing, TheProbeAgreesWithTheRowBandsAwayFromTheBoundaries) {
  start();
  const PlotGeometry& g = st().geo;
  const double probeX = form->PicMain->Width() - 90;
  for (int marked = -1; marked < 4; ++marked) {
    SCOPED_TRACE(marked);
    form->ClearBoard();
    if (marked >= 0) {
      st().Frozen = 1;
      st().AnsRow = static_cast<int16_t>(marked);
      form->MarkAnswer();
      ASSERT_EQ(st().Frozen, 0);
    }
    int mismatches = 0;
    for (double y = 0; y <= g.PlotBottom; y += 1) {
      const double toBoundary = std::fabs(y - std::round(y / g.RowHeight) * g.RowHeight);
      if (y > g.RowHeight / 2 && toBoundary <= 15) continue;
      const Color c = form->PicMain->Point(probeX, y);
      const bool hit = c >= 0 && (redOf(c) > 224 || greenOf(c) > 224 || blueOf(c) > 224);
      const bool inBand =
          marked >= 0 && marked * g.RowHeight <= y && y < (marked + 1) * g.RowHeight;
      if (hit != inBand && ++mismatches <= 5) ADD_FAILURE() << "y " << y << " hit " << hit;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST_F(VerdictDrawing, TheMagnifierOpensOnlyForCloseCalls) {
  start();
  form->ClearBoard();
  const PlotGeometry& g = st().geo;
  const double w = form->picKakudai->Width();
  // p as the close-call test computes it.
  auto pOf = [&](double y, int row) { return (y + 0.687 * 15) / g.RowHeight - row; };
  const struct {
    double p;
    int row;
    bool opens;
    int towardInside;  // nudge a bound by ulps until it holds exactly
  } cases[] = {{0.08, 1, true, -1},   {0.92, 1, true, +1}, {-0.08, 1, true, +1},
               {1.08, 1, true, -1},   {0.0, 2, true, 0},   {0.5, 1, false, 0},
               {0.0801, 1, false, 0}, {1.09, 1, false, 0}, {-0.09, 1, false, 0},
               {0.0, 0, false, 0}};  // near the top of the picture: never
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "p " << c.p << " row " << c.row);
    st().AnsRow = static_cast<int16_t>(c.row);
    double y = (c.p + c.row) * g.RowHeight - 0.687 * 15;
    if (c.towardInside < 0)
      while (pOf(y, c.row) > c.p) y = std::nextafter(y, -1e9);
    if (c.towardInside > 0)
      while (pOf(y, c.row) < c.p) y = std::nextafter(y, 1e9);
    st().m.PointY = y;
    const int kakudai = count("kakudai");
    const uint32_t t0 = sim->now();
    form->ShowZoom();
    EXPECT_EQ(form->picKakudai->Visible(), c.opens);
    EXPECT_EQ(count("kakudai") - kakudai, c.opens ? 1 : 0);
    EXPECT_EQ(sim->now() - t0, c.opens ? 1000u : 0u);
    if (c.opens) {
      EXPECT_EQ(form->picKakudai->Top(), form->PicMain->Height() - w - 120);
    }
    form->ClearBoard();
  }
  // Switched off by the option.
  form->kakudaionoff[1]->click();
  st().AnsRow = 1;
  st().m.PointY = g.RowHeight;
  form->ShowZoom();
  EXPECT_FALSE(form->picKakudai->Visible());
}

}  // namespace kv::test
