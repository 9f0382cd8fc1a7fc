// Start-up on the simulated backend: the created controls, the derived
// geometry, the two painted backgrounds and the refusals.
#include "tests/sim_fixture.h"

namespace kv::test {

using StartUp = SimGame;

TEST_F(StartUp, EndsOnTheTitleScreenWithTheDesignedWindow) {
  Form& f = start();
  EXPECT_EQ(f.win->windowTitle(), "KORVANE for Win Ver1.92");
  EXPECT_EQ(f.client->size(), QSize(506, 404));
  EXPECT_EQ(f.client->palette().color(QPalette::Window), QColor(128, 128, 255));
  EXPECT_EQ(st().GameMode, 0);
  EXPECT_EQ(st().TitleShown, -1);
  EXPECT_EQ(f.CmdAns->Caption(), "START !!");
  EXPECT_TRUE(f.CmdAns->Enabled());
  EXPECT_FALSE(f.Pause->Enabled());
  EXPECT_TRUE(f.Restart->Enabled());
  EXPECT_FALSE(f.Stage_UrawazaTitle->Visible());
  EXPECT_FALSE(f.mnuPopup->Visible());
  // The title picture is in PicMain, which stands at the window's corner.
  EXPECT_EQ(f.PicMain->Left(), 0);
  EXPECT_EQ(f.PicMain->Top(), 0);
  EXPECT_EQ(f.PicMain->image().pixel(100, 100), f.titleImage.pixel(100, 100));
  // Options as designed, every timer idle.
  EXPECT_TRUE(f.kakudaionoff[0]->Checked());
  EXPECT_TRUE(f.linewidth[0]->Checked());
  EXPECT_TRUE(f.CountDownSpeed[0]->Checked());
  EXPECT_TRUE(f.soundeffectonoff[0]->Checked());
  for (Timer* t :
       {f.timCorrect.get(), f.timGameover.get(), f.timEnding.get(), f.timPauseFlash.get(),
        f.timCaution.get(), f.timFryLetters.get(), f.timMissFrash.get(), f.timAnsPoint.get(),
        f.timLabelAns.get(), f.timInputName.get()})
    EXPECT_FALSE(t->enabled());
  EXPECT_EQ(f.Snd->paths().size(), 10);
  EXPECT_TRUE(f.Snd->paths()[9].endsWith("/rankin"));
}

TEST_F(StartUp, DerivesTheGeometryAndCreatesTheArrayElements) {
  Form& f = start();
  // The window's picture gives the designed geometry.
  EXPECT_EQ(st().geo.PlotRight, 6218);
  EXPECT_EQ(st().geo.PlotBottom, 5250);

  ASSERT_EQ(f.StageSelect.size(), 15u);
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(f.StageSelect[i]->Caption(), QString("STAGE %1").arg(i + 1));
  EXPECT_EQ(f.LabFry.size(), 17u);
  ASSERT_EQ(f.LabelAns.size(), 5u);
  EXPECT_EQ(f.LabelAns[0]->Top(), f.LabelSt->Top() + 75);
  EXPECT_EQ(f.LabelAns[1]->Left(), f.LabelAns[0]->Left() - 15);
  EXPECT_EQ(f.LabelAns[2]->Top(), f.LabelAns[0]->Top() + 15);
  EXPECT_EQ(f.LabelAns[3]->ForeColor(), rgb(0, 0, 128));

  // Ten table lines, visible, 1/22 of the height apart.
  ASSERT_EQ(f.labHS.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(f.labHS[i]->Visible());
    EXPECT_DOUBLE_EQ(f.labHS[i]->Top(), (i / 22.0 + 0.45) * 5310);
  }
  // Letter keys: two columns of sixteen, zig-zagging 23/18/13/8 px in.
  ASSERT_EQ(f.labChr.size(), 32u);
  const double colLeft = 7560 - 1327;
  const int offsets[4] = {23, 18, 13, 8};
  for (int i = 0; i < 32; ++i) {
    const double cellX = colLeft + (i / 16) * 663;
    EXPECT_DOUBLE_EQ(f.labChr[i]->Left(), cellX + offsets[i % 4] * 15) << i;
    EXPECT_DOUBLE_EQ(f.labChr[i]->Top(), (i % 16) * 328 + 15) << i;
  }
  EXPECT_EQ(f.labChr[25]->Caption(), "Z");
  EXPECT_EQ(f.labChr[31]->Caption(), "BS");
}

TEST_F(StartUp, PaintsTheBlankBoardWithBevelledCells) {
  Form& f = start();
  const QImage& img = f.PicWork->image();
  const PlotGeometry& g = st().geo;
  auto px = [&](int x, int y) { return fromQRgb(img.pixel(x, y)); };
  // The centre of each cell is its flat fill; the rim is the darkest ring.
  const Color fill[4] = {rgb(255, 96, 96), rgb(96, 255, 96), rgb(96, 96, 255), rgb(255, 255, 96)};
  const int cx = toPx(g.PlotRight + g.RowHeight / 2.0);
  for (int r = 0; r < 4; ++r) {
    const int cy = toPx(r * g.RowHeight + g.RowHeight / 2.0);
    EXPECT_EQ(px(cx, cy), fill[r]) << r;
    // Ring 0 at the cell's outer edge: shade 96 times (flag + 0.6).
    const int top = toPx(r * g.RowHeight);
    const Color ring0 = px(cx, top);
    EXPECT_EQ(ring0,
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
  // The high-score panel darkens white to RGB(63,63,127).
  EXPECT_EQ(fromQRgb(f.picHS->image().pixel(151, 251)), rgb(63, 63, 127));
}

TEST_F(StartUp, ASecondCopyIsRefused) {
  EXPECT_EXIT(
      {
        sim->lockFree = false;
        start();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(StartUp, AScreenOtherThanFifteenTwipsPerPixelIsRefused) {
  EXPECT_EXIT(
      {
        sim->tppX = 12;
        sim->tppY = 12;
        start();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(StartUp, RefusalsShowTheirMessagesAndTouchNothing) {
  // Observed without ending the process: the message is recorded first.
  sim->exitCode = 3;
  EXPECT_EXIT(
      {
        sim->lockFree = false;
        start();
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_FALSE(QFile::exists(dir.path() + "/qelmira.ini"));
}

}  // namespace kv::test
