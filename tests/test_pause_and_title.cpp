// The pause inside running stages and its guards, and the hidden stage menu
// with the ways it starts a chosen stage.
#include "tests/stage_player.h"

namespace kv::test {

using PauseAndTitle = StagePlayer;

// Escape pauses only during a game, and the menu says so exactly while
// paused. Five seconds paused in a frame resume with the frame's remaining
// time.
TEST_F(PauseAndTitle, EscapePausesOnlyDuringAGameAndAPausedFrameResumesWithItsRemainingTime) {
  start();
  auto expectPaused = [&](bool paused, bool ansOn) {
    const QString text = paused ? "ポーズ解除" : "ポーズ";
    EXPECT_EQ(std::tuple(st().Paused != 0, form->LabPause->Visible(), form->CmdPause->Visible(),
                         form->timPauseFlash->enabled(), form->Pause->Caption(),
                         form->mnuPopupPause->Caption(), form->CmdAns->Enabled()),
              std::tuple(paused, paused, paused, paused, text, text, ansOn));
  };
  key(Qt::Key_Escape);  // the title screen refuses
  expectPaused(false, true);
  EXPECT_EQ(count("select"), 0);

  // The first run, paused by Escape inside a frame.
  sim->random().feed(0.37f);
  uint32_t go = 0, lastFrame = 0;
  bool pausedHeld = false;
  sim->when([&] { return form->Labelmsg->Caption() == "GO!"; },
            [&] {
              go = sim->now();
              // 30 ms into frame 10, 10 ms of it left.
              sim->at(go + 9 * 40 + 30, [&] { key(Qt::Key_Escape); });
              sim->at(go + 9 * 40 + 30 + 2500, [&] { pausedHeld = st().m.PointX == 10 * 72; });
              sim->at(go + 9 * 40 + 30 + 5000,
                      [&] { QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton); });
            });
  sim->when([&] { return st().m.PointX >= st().geo.PlotRight; }, [&] { lastFrame = sim->now(); });
  play(kNoPress);

  EXPECT_EQ(std::tuple(pausedHeld, lastFrame - go), std::tuple(true, 86u * 40 + 5000));
  // No frame was lost or added: 86 full steps and the cut 87th.
  const double s = static_cast<double>(0.37f) * 59 + 1;
  EXPECT_NEAR(st().m.PointY, 86 * s + 26.0 / 72 * s, 1e-6);

  // The retry: paused by the menu during the run; a second Escape changes nothing.
  int checks = 0;
  sim->when([&] { return form->CmdAns->Enabled() && st().m.PointX >= 20 * 72; },
            [&] {
              form->Pause->click();
              const int selects = count("select");
              key(Qt::Key_Escape);
              expectPaused(true, false);
              EXPECT_EQ(count("select"), selects);
              sim->after(700, [&] {
                form->mnuPopupPause->click();
                expectPaused(false, true);
                ++checks;
              });
            });
  // While a row is being marked Escape is refused.
  arm({.offset = 0});
  onMarking([&] {
    key(Qt::Key_Escape);
    expectPaused(false, false);
    ++checks;
  });
  clickAns();
  ASSERT_EQ(std::tuple(checks, st().AnswerHit), std::tuple(2, 1));

  // Between stages the button is enabled and is enabled again after the pause.
  key(Qt::Key_Escape);
  expectPaused(true, false);
  QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton);
  expectPaused(false, true);
}

TEST_F(PauseAndTitle, FifteenPromptClicksRevealTheStageMenuWhichPlaysTheChosenStage) {
  start();
  bool marked = false;
  onMarking([&] {
    const int before = count("kakudai");
    const uint32_t t0 = sim->now();
    for (int i = 1; i <= 16; ++i) {
      QTest::mouseClick(form->LabelAns[i % 5]->widget(), Qt::LeftButton);
      EXPECT_TRUE(i < 14 || i > 15 || form->Stage_UrawazaTitle->Visible() == (i == 15)) << i;
    }
    // One fanfare, at the 15th, that holds nothing up.
    EXPECT_EQ(std::pair(count("kakudai") - before, sim->now()), std::pair(1, t0));
    EXPECT_FALSE(form->Stage_UrawazaTitle->Enabled());
    marked = true;
  });
  play({.offset = -3});
  // The stage menu is enabled after the verdict.
  ASSERT_EQ(std::tuple(marked, st().AnswerHit, form->Stage_UrawazaTitle->Enabled()),
            std::tuple(true, 1, true));

  // Choosing "STAGE 5" between stages replaces "NEXT STAGE", with a sound that
  // holds nothing up, and plays stage 5.
  const uint32_t t0 = sim->now();
  form->StageSelect[4]->click();
  EXPECT_EQ(std::pair(form->CmdAns->Caption(), sim->now()), std::pair(QString("STAGE 5"), t0));
  std::vector<bool> itemsOn;
  onSetUp([&] {
    EXPECT_FALSE(form->Stage_UrawazaTitle->Enabled());
    for (auto& it : form->StageSelect) itemsOn.push_back(it->Enabled());
  });
  play();
  EXPECT_EQ(std::tuple(st().StageTitle, form->LabelSt->Caption(), st().StageNo,
                       form->Stage_UrawazaTitle->Enabled()),
            std::tuple(QString("Bounce"), QString("STAGE 5"), 6, true));
  ASSERT_EQ(itemsOn.size(), 15u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(itemsOn[i], i >= 5) << i;
  // A game over takes the menu away.
  form->StartGameOver();
  EXPECT_FALSE(form->Stage_UrawazaTitle->Enabled());
}

}  // namespace kv::test
