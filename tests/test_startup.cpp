// Start-up on the simulated backend: the title screen, the derived geometry,
// the painted blank board and the refusals.
#include <QResource>

#include "tests/sim_fixture.h"

namespace kv::test {

using StartUp = SimGame;

// The title screen, the geometry derived from the window's picture, and the
// blank board painted with bevelled cells.
TEST_F(StartUp, EndsOnTheTitleScreenWithTheDerivedGeometryAndTheBlankBoard) {
  Form& f = start();
  const PlotGeometry& g = st().geo;
  EXPECT_EQ(std::tuple(st().GameMode, f.Pause->Enabled(), g.RowHeight, g.PlotRight, g.PlotBottom,
                       g.ColumnCount, g.AnsMarkOffset, g.ZoomSource),
            std::tuple(0, false, 1327, 6218, 5250, 51, 63, 300));

  auto px = [&](int x, int y) { return fromQRgb(f.PicWork->image().pixel(x, y)); };
  // The centre of each cell is its flat fill; the rim is the darkest ring.
  const Color fill[4] = {rgb(255, 96, 96), rgb(96, 255, 96), rgb(96, 96, 255), rgb(255, 255, 96)};
  const int cx = toPx(g.PlotRight + g.RowHeight / 2.0);
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(px(cx, toPx(r * g.RowHeight + g.RowHeight / 2.0)), fill[r]) << r;
    // Ring 0 at the cell's outer edge: shade 96 times (flag + 0.6).
    EXPECT_EQ(px(cx, toPx(r * g.RowHeight)),
              rgb(r == 0 || r == 3 ? 154 : 58, r == 1 || r == 3 ? 154 : 58, r == 2 ? 154 : 58))
        << r;
  }
  // The probe column has no channel above 224 in any unpainted cell.
  const int probe = toPx(7560 - 90);
  for (int y = 0; y < toPx(g.PlotBottom); ++y) {
    const Color c = px(probe, y);
    EXPECT_LE(std::max({redOf(c), greenOf(c), blueOf(c)}), 224) << y;
  }
  // Grid lines every 8 px from 10 px on, light grey on white.
  EXPECT_EQ(px(10, 50), rgb(224, 224, 224));
  EXPECT_EQ(px(11, 51), rgb(255, 255, 255));
}

// What start-up leaves until the title has been painted is done by whatever
// needs it first when that paint has not come yet, once, and leaves the
// colour flags of a game as they were.
TEST_F(StartUp, WhatWaitsForTheTitlesPaintIsDoneByWhatNeedsItFirst) {
  struct Holding : SimPlatform {
    std::vector<std::function<void()>> held;
    void afterFirstPaint(QWidget&, std::function<void()> work) override {
      held.push_back(std::move(work));
    }
  };
  sim = std::make_unique<Holding>();
  sim->dir = dir.path();
  auto& h = static_cast<Holding&>(*sim);
  Form& f = start();
  ASSERT_EQ(std::tuple(f.labChr.size(), f.txtName.get(), h.held.size()),
            std::tuple(1u, nullptr, 1u));
  std::tie(st().ColorR, st().ColorG, st().ColorB) = std::tuple(0, 0, 1);
  f.HighScore->click();
  ASSERT_NE(f.txtName, nullptr);
  const QImage board = f.PicWork->image();
  EXPECT_EQ(std::tuple(f.labChr.size(), st().ColorR, st().ColorG, st().ColorB,
                       fromQRgb(board.pixel(10, 50))),
            std::tuple(32u, 0, 0, 1, rgb(224, 224, 224)));
  TextBox* box = f.txtName.get();
  h.held[0]();
  EXPECT_EQ(std::tuple(f.labChr.size(), f.txtName.get(), f.PicWork->image()),
            std::tuple(32u, box, board));
  EXPECT_NE(f.CmdAns->widget()->cursor().shape(), Qt::ArrowCursor);
}

// The window's pictures are built in: a program without its data folders
// (copied alone, or half removed) still shows the title, the marker and the
// cursor as designed, and says once on standard error where it looked.
TEST_F(StartUp, WithoutItsDataTheWindowLooksAsDesignedAndSaysWhereItLooked) {
  QTemporaryDir elsewhere;
  const QString root = elsewhere.path();
  QDir().mkpath(root + "/games");
  QDir().mkpath(root + "/share/korvane");  // an empty leftover is no data
  const QString notice = "korvane: no sounds or help found; looked in " + root + "/games, " + root +
                         "/share/games/korvane, " + root + "/share/korvane\n";
  const QResource raw(":/korvane/title.rgb32");
  const QImage title(raw.data(), 500, 350, QImage::Format_RGB32);
  const QImage marker = QImage(":/korvane/ansmark.png").convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(title.isNull());
  // (the program's folder, what it says on the error stream)
  const std::pair<QString, std::string> cases[] = {{dir.path(), ""},
                                                   {root + "/games", notice.toStdString()}};
  for (const auto& [programDir, stderrText] : cases) {
    SCOPED_TRACE(programDir.toStdString());
    mod() = Module1{};
    sim = std::make_unique<SimPlatform>();
    sim->dir = programDir;
    testing::internal::CaptureStderr();
    Form& f = start();
    const std::string err = testing::internal::GetCapturedStderr();
    std::string ours;  // the toolkit may add warnings of its own
    for (const QString& line : QString::fromStdString(err).split('\n'))
      if (line.startsWith("korvane:")) ours += line.toStdString() + "\n";
    EXPECT_EQ(ours, stderrText);
    EXPECT_EQ(std::tuple(f.PicMain->image().copy(title.rect()).convertToFormat(title.format()),
                         f.PicAns->image().pixel(40, 40), f.PicAns->widget()->cursor().shape()),
              std::tuple(title, marker.pixel(38, 38), Qt::BitmapCursor));
    form.reset();
  }
}

// A second copy, and a screen other than 15 twips per pixel, are refused
// before anything is written.
TEST_F(StartUp, RefusalsEndTheProgramAndTouchNothing) {
  for (bool secondCopy : {true, false}) {
    EXPECT_EXIT(
        {
          sim->exitCode = 3;  // through the platform's exit, after the message
          sim->lockFree = !secondCopy;
          if (!secondCopy) sim->tppX = sim->tppY = 12;
          start();
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_FALSE(QFile::exists(dir.path() + "/qelmira.ini"));
  }
}

}  // namespace kv::test
