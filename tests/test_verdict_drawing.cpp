// What the board shows and the verdict reads and draws: the status row's
// score, the stage board's grid, the pixel probe of the answer strip, and the
// magnifier for close calls.
#include <cmath>

#include "game/scoring.h"
#include "platform/fonts.h"
#include "tests/stage_player.h"

namespace kv::test {

using PlotBoard = SimGame;
using VerdictDrawing = StagePlayer;

// The status row's score has a leading blank unless it is negative; the
// stage board's grid lines fall every ten columns on the answer line's.
TEST_F(PlotBoard, TheScoreHasALeadingBlankUnlessNegativeAndGridLinesFallEveryTenColumns) {
  Form& f = start();
  const std::pair<int, const char*> scores[] = {
      {500, "SCORE  500"}, {0, "SCORE  0"}, {-1, "SCORE -1"}, {-20, "SCORE -20"}};
  for (auto [score, text] : scores) {
    st().Score = score;
    f.ShowScore();
    EXPECT_EQ(f.LabelScore->Caption(), text);
  }

  // (answer column, columns with a grey line)
  const std::pair<int, std::vector<int>> cases[] = {{36, {6, 16, 26, 36, 46}},
                                                    {51, {1, 11, 21, 31, 41, 51}},
                                                    {41, {1, 11, 21, 31, 41, 51}},
                                                    {5, {5, 15, 25, 35, 45}},
                                                    {42, {2, 12, 22, 32, 42}}};
  for (const auto& [ansColumn, lines] : cases) {
    st().AnsColumn = static_cast<int16_t>(ansColumn);
    f.ClearBoard();
    f.DrawStageBoard();
    const QImage& img = f.PicMain->image();
    for (int col = 0; col <= 52; ++col) {  // 52 lies in the answer strip
      const Color at = fromQRgb(img.pixel(toPx(col * 120 + 30), 100));
      const bool line = std::find(lines.begin(), lines.end(), col) != lines.end();
      if (col == ansColumn)
        EXPECT_EQ(at, rgb(255, 96, 96)) << ansColumn;
      else
        EXPECT_EQ(at == rgb(184, 184, 184), line) << ansColumn << " col " << col;
    }
    // The column labels stand at the bottom, four pixels right of their
    // lines, in grey (the pen's colour: no pixel of the small digits is solid).
    int darker = 0, inkLeft = 9999;
    const int lx = toPx(lines.front() * 120 + 60);
    for (int y = toPx(5250 - 150); y < toPx(5250); ++y)
      for (int x = lx - 1; x < lx + 16; ++x)
        if (qGray(img.pixel(x, y)) < 200) ++darker, inkLeft = std::min(inkLeft, x);
    // Their ink starts a pixel (the glyphs' bearing) right of the place.
    EXPECT_EQ(std::pair(darker > 5, inkLeft), std::pair(true, lx + 1)) << lines.front();
    EXPECT_EQ(std::pair(f.PicMain->ForeColor, f.PicMain->FontSize()),
              std::pair(rgb(160, 160, 160), 8.0));
  }
}

// The probe of the answer strip finds the marked row's band, and only it,
// away from the row boundaries; then the magnifier, which opens only for
// close calls.
TEST_F(VerdictDrawing, TheProbeAgreesWithTheRowBandsAndTheMagnifierOpensOnlyForCloseCalls) {
  start();
  const PlotGeometry& g = st().geo;
  const double probeX = form->PicMain->Width() - 90;
  for (int marked = -1; marked < 4; ++marked) {
    SCOPED_TRACE(marked);
    form->ClearBoard();
    if (marked >= 0) {
      std::tie(st().Frozen, st().AnsRow) = std::tuple(1, marked);
      const uint32_t t0 = sim->now();
      form->MarkAnswer();
      // The cell's glow takes a millisecond per outline; its sound runs aside.
      ASSERT_EQ(std::pair(st().Frozen, sim->now() - t0), std::pair(0, uint32_t(g.RowHeight / 2)));
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

  // The magnifier opens only for close calls.
  form->ClearBoard();
  // p as the close-call test computes it.
  auto pOf = [&](double y, int row) { return (y + 0.687 * 15) / g.RowHeight - row; };
  // (p, row, opens, the way to nudge a bound by ulps until it holds exactly)
  const std::tuple<double, int, bool, int> cases[] = {
      {0.08, 1, true, -1},  {0.92, 1, true, +1}, {-0.08, 1, true, +1},  {1.08, 1, true, -1},
      {0.0, 2, true, 0},    {0.5, 1, false, 0},  {0.0801, 1, false, 0}, {1.09, 1, false, 0},
      {-0.09, 1, false, 0}, {0.0, 0, false, 0}};  // near the top of the picture: never
  for (const auto& [p, row, opens, towardInside] : cases) {
    SCOPED_TRACE(testing::Message() << "p " << p << " row " << row);
    st().AnsRow = static_cast<int16_t>(row);
    double y = (p + row) * g.RowHeight - 0.687 * 15;
    while (towardInside * (pOf(y, row) - p) < 0) y = std::nextafter(y, towardInside * 1e9);
    st().m.PointY = y;
    const int kakudai = count("kakudai");
    const uint32_t t0 = sim->now();
    double firstTop = -1;
    if (opens)
      sim->when([&] { return form->picKakudai->Visible(); },
                [&] { firstTop = form->picKakudai->Top(); });
    form->ShowZoom();
    EXPECT_EQ(std::tuple(form->picKakudai->Visible(), count("kakudai") - kakudai, sim->now() - t0),
              std::tuple(opens, opens ? 1 : 0, opens ? 1000u : 0u));
    if (opens) {
      // It grows in 20 steps out of the boundary nearest the point and ends
      // at the lower left of the plot.
      const double top = form->PicMain->Height() - form->picKakudai->Width() - 120;
      const double boundary = (row + (p > 0.5 ? 1 : 0)) * g.RowHeight + form->PicMain->Top();
      EXPECT_NEAR(firstTop, boundary + (top - boundary) / 20, 1e-6);
      EXPECT_EQ(std::pair(form->picKakudai->Top(), form->picKakudai->Left()),
                std::pair(top, form->PicMain->Left() + 120));
      // It shows the square of the board centred where the boundary meets
      // the answer strip: above and below it, the two rows' cells.
      const QImage& zoom = form->picKakudai->image();
      const int zw = toPx(form->picKakudai->Width()), side = g.ZoomSource / 15;
      for (double f : {0.3, 0.7}) {
        const int mx = static_cast<int>(0.75 * zw), my = static_cast<int>(f * zw);
        const int sx = (g.PlotRight - g.ZoomSource / 2) / 15 + mx * side / zw;
        const int sy = (static_cast<int>(boundary) - g.ZoomSource / 2) / 15 + my * side / zw;
        EXPECT_EQ(zoom.pixel(mx, my), form->PicMain->image().pixel(sx, sy)) << f;
      }
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

// The verdict's two yellow lines stand centred on the plot, wrong or right,
// the first in 14-point Gothic, the second in 12-point bold. After a right
// answer the verdict flickers light on dark in random colours and the final
// point sparkles: a channel is 128 + 128 r or 128 r, and 256 shows as 255.
TEST_F(VerdictDrawing, TheVerdictLinesStandCentredAndSparkleInRandomColoursWhenRight) {
  start();
  for (bool right : {false, true}) {
    SCOPED_TRACE(right);
    // The button rests while the verdict is drawn.
    int buttonDuringVerdict = -1;
    sim->when([&] { return form->timAnsPoint->enabled(); },
              [&] { buttonDuringVerdict = form->CmdAns->Enabled(); });
    // The crosshair blinks ten times in half a second, in XOR with
    // RGB(255, 128, 128): drawn, then undone.
    Color drawn = -1, undone = -1;
    std::pair<bool, bool> blinking;  // 10 ms before and after the half second
    const auto onCross = [&] { return form->PicMain->Point(st().m.PointX, 60); };
    const auto xor_ = [&] { return form->PicMain->DrawMode == kXorPen; };
    sim->when(xor_, [&] {
      drawn = onCross();
      sim->after(30, [&] { undone = onCross(); });
      sim->after(490, [&] { blinking.first = xor_(); });
      sim->after(510, [&] { blinking.second = xor_(); });
    });
    play({.offset = 0, .rightRow = right});
    // The verdict's word shows, ending 150 twips left of the button.
    EXPECT_EQ(
        std::tuple(buttonDuringVerdict, drawn ^ undone, blinking, form->Labelmsg->Visible(),
                   form->Labelmsg->Left() + form->Labelmsg->Width() + 150),
        std::tuple(0, rgb(255, 128, 128), std::pair(true, false), true, form->CmdAns->Left()));
    // The second line is in 12-point bold, the last text drawn.
    EXPECT_EQ(std::pair(form->PicMain->FontSize(), form->PicMain->FontBold()),
              std::pair(12.0, true));
    const std::pair<QString, QFont> lines[] = {
        {right ? ClearText(1) : QString("INCORRECT ANSWER"), makeFont(kGothic, 14)},
        {right ? ScoreLineText(0, 5, 0) : QString(), makeFont(kGothic, 12, true)}};
    const QImage& img = form->PicMain->image();
    // Above the lines the panel darkens what lies under it: white becomes
    // RGB(63, 63, 127), and nothing is brighter.
    int panel = 0;
    for (int x = img.width() / 4; x < img.width() * 3 / 4; ++x) {
      const QRgb p = img.pixel(x, toPx(st().geo.PlotBottom * 0.42));
      EXPECT_TRUE(qRed(p) <= 63 && qGreen(p) <= 63 && qBlue(p) <= 127) << x;
      panel += p == qRgb(63, 63, 127);
    }
    EXPECT_GT(panel, img.width() / 4);
    // Beside the panel the plot keeps its white.
    int white = 0;
    for (int x = 0; x < img.width() / 5; ++x)
      white += img.pixel(x, toPx(st().geo.PlotBottom * 0.42)) == qRgb(255, 255, 255);
    EXPECT_GT(white, img.width() / 6);
    for (int line = 0; line < 2; ++line) {
      const double fraction = line == 0 ? 0.45 : 0.52;
      const int y0 = toPx(st().geo.PlotBottom * fraction);
      int left = img.width(), rightmost = -1;
      for (int y = y0; y < y0 + 14; ++y)
        for (int x = 0; x < img.width(); ++x)
          if (img.pixel(x, y) == qRgb(255, 255, 0)) {
            left = std::min(left, x);
            rightmost = std::max(rightmost, x);
          }
      ASSERT_LT(left, rightmost) << fraction;
      EXPECT_NEAR(left + rightmost + 1, img.width(), 3) << fraction;
      // As wide as the text in its font, a few pixels of side bearings less;
      // not as in a font one pixel larger.
      const auto& [text, font] = lines[line];
      if (text.isEmpty()) continue;
      QFont larger = font;
      larger.setPixelSize(font.pixelSize() + 1);
      const int ink = rightmost - left + 1, advance = QFontMetrics(font).horizontalAdvance(text);
      EXPECT_LE(ink, advance) << fraction;
      EXPECT_LT(advance - ink, QFontMetrics(larger).horizontalAdvance(text) - advance) << fraction;
    }
  }

  ASSERT_TRUE(form->timCorrect->enabled() && form->timAnsPoint->enabled());
  const float top = 1.0f - 1.0f / 16777216.0f;
  // (the three draws, light colour, dark colour)
  const std::tuple<std::array<float, 3>, Color, Color> cases[] = {
      {{0, 0.5f, top}, rgb(128, 192, 255), rgb(0, 64, 128)},
      {{0.25f, 0.002f, 0.998f}, rgb(160, 128, 255), rgb(32, 0, 128)},
      {{0.998f, 0.25f, 0.002f}, rgb(255, 160, 128), rgb(128, 32, 0)}};
  for (const auto& [draws, light, dark] : cases) {
    for (int i = 0; i < 3; ++i)
      for (float r : draws) sim->random().feed(r);
    form->timCorrect_Timer();
    EXPECT_EQ(std::pair(form->Labelmsg->BackColor(), form->Labelmsg->ForeColor()),
              std::pair(light, dark));
    form->timAnsPoint_Timer();
    EXPECT_EQ(form->PicMain->Point(st().m.PointX, st().m.PointY), light);
  }
}

}  // namespace kv::test
