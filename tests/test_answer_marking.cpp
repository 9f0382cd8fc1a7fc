// Marking a row while the run is held: the pointer and key rules, and the
// flash of the press undone by the marking.
#include <QMenu>
#include <map>

#include "tests/stage_player.h"

namespace kv::test {

using AnswerMarking = StagePlayer;

TEST_F(AnswerMarking, PointerAndKeysChooseTheRowByTheStripRulesAndThePromptTypesItselfOut) {
  start();
  sim->when([&] { return form->CmdAns->Enabled() && columnAt(st().m.PointX) == 30; },
            [&] { clickAns(); });
  onMarking([&] {
    // "GO!" and the button go at the press; the prompt shows in all its
    // labels and animates.
    EXPECT_EQ(
        std::tuple(form->Labelmsg->Visible(), form->CmdAns->Visible(), form->timLabelAns->enabled(),
                   std::all_of(form->LabelAns.begin(), form->LabelAns.end(),
                               [](const auto& l) { return l->Visible(); })),
        std::tuple(false, false, true, true));
    const PlotGeometry& g = st().geo;
    const double rh = g.RowHeight;
    // (x, y, the row marked)
    const std::tuple<double, double, int> moves[] = {
        {double(g.PlotRight), 100, 0},    // the strip's left edge is inside
        {g.PlotRight - 1.0, 100, -1},     // one twip left of it is not
        {7000, double(g.PlotBottom), 3},  // the lowest plot y is inside
        {7000, g.PlotBottom + 1.0, -1},   // below it the marker hides
        {7000, -1, -1},                   // above the picture
        {7000, rh - 1, 0},
        {7000, rh - 0.4, 1},  // rounded to whole twips
        {7000, rh, 1},
        {7000, 2 * rh, 2},
        {7000, 3 * rh, 3},  // boundaries: lower row
    };
    const uint32_t t0 = sim->now();
    for (const auto& [x, y, row] : moves) {
      const int selects = count("select");
      form->PicMain_MouseMove(Qt::NoButton, x, y);
      const QPointF at =
          row >= 0 ? QPointF(g.PlotRight + g.AnsMarkOffset, row * g.RowHeight + g.AnsMarkOffset)
                   : QPointF(form->PicAns->Left(), form->PicAns->Top());
      // The marker's sound holds nothing up.
      EXPECT_EQ(std::tuple(st().AnsRow, form->PicAns->Visible(), count("select") - selects,
                           QPointF(form->PicAns->Left(), form->PicAns->Top()), sim->now()),
                std::tuple(row, row >= 0, row >= 0 ? 1 : 0, at, t0))
          << x << "," << y;
    }
    // Keys: Up from no marker gives row 0, Up wraps 0 to 3, Down wraps 3 to 0.
    form->PicMain_MouseMove(Qt::NoButton, 100, 100);
    ASSERT_EQ(st().AnsRow, -1);
    for (auto [k, row] : {std::pair{Qt::Key_Up, 0}, {Qt::Key_Up, 3}, {Qt::Key_Down, 0}}) {
      key(k);
      EXPECT_EQ(st().AnsRow, row);
    }
    // The first pointer move after a key is ignored, the next one counts.
    form->PicMain_MouseMove(Qt::NoButton, 7000, 3 * rh + 10);
    EXPECT_EQ(st().AnsRow, 0);
    form->PicMain_MouseMove(Qt::NoButton, 7000, 3 * rh + 10);
    EXPECT_EQ(st().AnsRow, 3);
    // Enter without a marker does nothing.
    form->PicMain_MouseMove(Qt::NoButton, 100, 100);
    key(Qt::Key_Return);
    EXPECT_EQ(std::tuple(st().Frozen, count("ans_end")), std::tuple(1, 0));
    // Enter on a marker marks it; a second Enter does nothing. The
    // right button on the marker opens the menu and marks nothing.
    key(Qt::Key_Down);
    form->PicAns_MouseDown(Qt::RightButton);
    EXPECT_EQ(std::pair(sim->menuOpen(), st().Frozen), std::pair(true, 1));
    form->mnuPopupMenu->close();
    key(Qt::Key_Return);
    EXPECT_EQ(
        std::tuple(st().Frozen, st().AnsRow, form->PicAns->Visible(), form->timLabelAns->enabled()),
        std::tuple(0, 0, false, false));
    key(Qt::Key_Return);
    clickMarker();
    EXPECT_EQ(count("ans_end"), 1);
  });
  clickAns();
  EXPECT_EQ(st().GameMode, 1);  // the run went on to its verdict

  // The prompt types itself out a letter a tick, stands, asks "Where???" for
  // eleven ticks and starts again at the 38th; its outline says the same.
  const std::pair<int, QString> rows[] = {{1, "解解解解解解解解解"}, {2, "解答答答答答答答答"},
                                          {9, "解答してください！"}, {25, "解答してください！"},
                                          {26, "Where???"},          {36, "Where???"},
                                          {37, "Where???"},          {38, "解解解解解解解解解"}};
  st().AnsPromptTick = 0;
  int tick = 0;
  for (const auto& [at, caption] : rows) {
    for (; tick < at; ++tick) form->timLabelAns_Timer();
    EXPECT_EQ(std::pair(form->LabelAns[0]->Caption(), form->LabelAns[4]->Caption()),
              std::pair(caption, caption))
        << at;
  }
}

TEST_F(AnswerMarking, MarkingUndoesTheFlashSoOnlyThePressMarksAndTheCellRemain) {
  start();
  QImage beforePress, flashed;
  int row = -1;
  arm({.offset = -4});
  sim->when([&] { return form->CmdAns->Enabled() && columnAt(st().m.PointX) == 32; },
            [&] { beforePress = form->PicMain->image().copy(); });
  onMarking([&] {
    flashed = form->PicMain->image().copy();
    // Drawn twice, the flash restores every pixel.
    form->DrawFlash();
    form->DrawFlash();
    EXPECT_TRUE(differences(flashed, form->PicMain->image()).empty());
  });
  sim->when([&] { return st().GameMode == 3 && st().Frozen == 0; },
            [&] {
              row = st().AnsRow;
              const int pressPx = toPx(32 * 120 + 30), stripPx = toPx(st().geo.PlotRight);
              // The label's ink starts a few pixels under its top, 14 pixels
              // above the foot of the plot.
              const int labelTop = toPx(st().geo.PlotBottom) - 14;
              int labelInkTop = 9999;
              for (const QPoint& p : differences(beforePress, form->PicMain->image())) {
                if (p.x() > pressPx + 1 && p.x() < stripPx)
                  labelInkTop = std::min(labelInkTop, p.y());
                if (p.x() >= stripPx) {
                  // Only the marked cell changed in the strip.
                  const int32_t h = st().geo.RowHeight;
                  EXPECT_TRUE(p.y() >= toPx(row * h) && p.y() <= toPx((row + 1) * h) &&
                              p.x() <= toPx(st().geo.PlotRight + h - 15))
                      << p.x() << "," << p.y();
                } else {
                  // In the plot only the press line and its label "+4".
                  EXPECT_TRUE(p.x() >= pressPx && p.x() <= pressPx + 30) << p.x() << "," << p.y();
                }
              }
              EXPECT_TRUE(labelInkTop >= labelTop && labelInkTop <= labelTop + 5) << labelInkTop;
              // The flash inverted the plot but left the strip alone.
              const QPoint plot(100, 100), strip(stripPx + 40, 40);
              EXPECT_EQ(flashed.pixel(plot) & 0xFFFFFF, ~beforePress.pixel(plot) & 0xFFFFFF);
              EXPECT_EQ(flashed.pixel(strip), beforePress.pixel(strip));
            });
  clickAns();
  EXPECT_EQ(std::tuple(row >= 0, st().AnswerHit), std::tuple(true, 1));

  // The cell glows from a pale rim inward, in every row: the last of the
  // nested outlines through a pixel column gives its colour, the row's own
  // channels at full; the probe column is white.
  // The screen is brought up to date every 15 outlines.
  PaintCounter paints;
  form->PicMain->widget()->installEventFilter(&paints);
  const PlotGeometry& g = st().geo;
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE(r);
    std::tie(st().Frozen, st().AnsRow) = std::tuple(1, r);
    paints.n = 0;
    form->MarkAnswer();
    EXPECT_EQ(paints.n, g.RowHeight / 2 / 15 + 1);
    const QImage img = form->PicMain->image();
    const int midPx = toPx(r * g.RowHeight + g.RowHeight / 2);
    std::map<int, int> shade;  // pixel column: shade of its last outline
    for (int k = 0; k <= 300; ++k) shade[toPx(g.PlotRight + k)] = std::min(k / 2 + 32, 255);
    shade.erase(std::prev(shade.end()));  // later outlines cross the last
    for (const auto& [x, h] : shade) {
      auto channel = [h](int16_t own) { return own ? 255 : 255 - h; };
      EXPECT_EQ(img.pixel(x, midPx) & 0xFFFFFF,
                qRgb(channel(st().ColorR), channel(st().ColorG), channel(st().ColorB)) & 0xFFFFFF)
          << x;
    }
    EXPECT_EQ(img.pixel(toPx(form->PicMain->Width() - 90), midPx) & 0xFFFFFF, 0xFFFFFFu);
  }
}

}  // namespace kv::test
