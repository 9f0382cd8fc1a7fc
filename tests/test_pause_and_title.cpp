// The pause inside running stages and its guards, and the hidden stage menu
// with the ways it starts a chosen stage.
#include "tests/stage_player.h"

namespace kv::test {

using PauseAndTitle = StagePlayer;

namespace {
const Answer kNoPress{.press = false, .offset = {}};
}

TEST_F(PauseAndTitle, FiveSecondsPausedInAFrameResumeWithTheFramesRemainingTime) {
  start();
  sim->random().feed(0.37f);
  uint32_t go = 0, frame11 = 0, lastFrame = 0;
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
  sim->when([&] { return st().m.PointX >= 11 * 72; }, [&] { frame11 = sim->now(); });
  sim->when([&] { return st().m.PointX >= st().geo.PlotRight; }, [&] { lastFrame = sim->now(); });
  play(kNoPress);

  EXPECT_TRUE(pausedHeld);
  EXPECT_EQ(frame11 - go, 10u * 40 + 5000);
  EXPECT_EQ(lastFrame - go, 86u * 40 + 5000);
  // No frame was lost or added: 86 full steps and the cut 87th.
  const double s = static_cast<double>(0.37f) * 59 + 1;
  EXPECT_NEAR(st().m.PointY, 86 * s + 26.0 / 72 * s, 1e-6);
  EXPECT_EQ(st().Paused, 0);
}

TEST_F(PauseAndTitle, EscapePausesOnlyDuringAGameAndTheMenuSaysSoExactlyWhilePaused) {
  start();
  auto captionsRead = [&](const char* text) {
    return form->Pause->Caption() == text && form->mnuPopupPause->Caption() == text;
  };
  // The title screen refuses.
  key(Qt::Key_Escape);
  EXPECT_FALSE(form->LabPause->Visible());
  EXPECT_EQ(st().Paused, 0);
  EXPECT_EQ(count("select"), 0);

  struct Seen {
    bool paused = false, menuSays = false, ansOff = false, stillPaused = false, selects = false;
    bool resumedAnsOn = false, menuBack = false;
  } run, countDown;
  bool markingRefused = false;

  // During the count-down the button is disabled and stays so after the pause.
  sim->when([&] { return form->Labelmsg->Caption() == " 2 "; },
            [&] {
              key(Qt::Key_Escape);
              countDown.paused = st().Paused != 0 && form->LabPause->Visible();
              countDown.menuSays = captionsRead("ポーズ解除");
              sim->after(1000, [&] {
                QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton);
                countDown.resumedAnsOn = form->CmdAns->Enabled();
                countDown.menuBack = captionsRead("ポーズ");
              });
            });
  // During the run, by the menu; a second Escape changes nothing.
  sim->when([&] { return form->CmdAns->Enabled() && st().m.PointX >= 20 * 72; },
            [&] {
              form->Pause->click();
              run.paused = st().Paused != 0;
              run.menuSays = captionsRead("ポーズ解除");
              run.ansOff = !form->CmdAns->Enabled();
              const int selects = count("select");
              key(Qt::Key_Escape);
              run.stillPaused = st().Paused != 0 && form->LabPause->Visible();
              run.selects = count("select") == selects;
              sim->after(700, [&] {
                form->mnuPopupPause->click();
                run.resumedAnsOn = form->CmdAns->Enabled();
                run.menuBack = captionsRead("ポーズ");
              });
            });
  // While a row is being marked Escape is refused.
  arm({.offset = 0});
  sim->when([&] { return st().Frozen == 1; },
            [&] {
              key(Qt::Key_Escape);
              markingRefused =
                  st().Paused == 0 && !form->LabPause->Visible() && captionsRead("ポーズ");
            });
  clickAns();

  EXPECT_TRUE(countDown.paused);
  EXPECT_TRUE(countDown.menuSays);
  EXPECT_FALSE(countDown.resumedAnsOn);
  EXPECT_TRUE(countDown.menuBack);
  EXPECT_TRUE(run.paused);
  EXPECT_TRUE(run.menuSays);
  EXPECT_TRUE(run.ansOff);
  EXPECT_TRUE(run.stillPaused);
  EXPECT_TRUE(run.selects);
  EXPECT_TRUE(run.resumedAnsOn);
  EXPECT_TRUE(run.menuBack);
  EXPECT_TRUE(markingRefused);
  ASSERT_EQ(st().AnswerHit, 1);

  // Between stages the button is enabled and is enabled again after the pause.
  ASSERT_EQ(form->CmdAns->Caption(), "NEXT STAGE");
  key(Qt::Key_Escape);
  EXPECT_TRUE(form->LabPause->Visible());
  EXPECT_FALSE(form->CmdAns->Enabled());
  EXPECT_TRUE(captionsRead("ポーズ解除"));
  QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton);
  EXPECT_FALSE(form->LabPause->Visible());
  EXPECT_TRUE(form->CmdAns->Enabled());
  EXPECT_TRUE(captionsRead("ポーズ"));
}

TEST_F(PauseAndTitle, FifteenPromptClicksRevealTheStageMenuWhichPlaysTheChosenStage) {
  start();
  bool hiddenAt14 = false, shownAt15 = false, disabledWhileMarking = false;
  int kakudaiAt15 = -1, kakudaiAt16 = -1;
  sim->when([&] { return st().Frozen == 1; },
            [&] {
              const int before = count("kakudai");
              for (int i = 1; i <= 16; ++i) {
                QTest::mouseClick(form->LabelAns[i % 5]->widget(), Qt::LeftButton);
                if (i == 14) hiddenAt14 = !form->Stage_UrawazaTitle->Visible();
                if (i == 15) {
                  shownAt15 = form->Stage_UrawazaTitle->Visible();
                  kakudaiAt15 = count("kakudai") - before;
                }
              }
              kakudaiAt16 = count("kakudai") - before;
              disabledWhileMarking = !form->Stage_UrawazaTitle->Enabled();
            });
  play({.offset = -3});
  EXPECT_TRUE(hiddenAt14);
  EXPECT_TRUE(shownAt15);
  EXPECT_EQ(kakudaiAt15, 1);
  EXPECT_EQ(kakudaiAt16, 1);
  EXPECT_TRUE(disabledWhileMarking);
  EXPECT_EQ(st().StageMenuUnlocked, 1);
  ASSERT_EQ(st().AnswerHit, 1);
  EXPECT_TRUE(form->Stage_UrawazaTitle->Enabled());  // after the verdict

  // Choosing "STAGE 5" between stages replaces "NEXT STAGE" and plays stage 5.
  form->StageSelect[4]->click();
  EXPECT_EQ(form->CmdAns->Caption(), "STAGE 5");
  EXPECT_EQ(st().StageNo, 5);
  EXPECT_EQ(st().RetryFlag, 0);
  bool menuOffAtStart = false;
  std::vector<bool> itemsOn;
  sim->when([&] { return st().GameMode == 2; },
            [&] {
              menuOffAtStart = !form->Stage_UrawazaTitle->Enabled();
              for (auto& it : form->StageSelect) itemsOn.push_back(it->Enabled());
            });
  play();
  EXPECT_EQ(st().StageTitle, "Bounce");
  EXPECT_TRUE(menuOffAtStart);
  ASSERT_EQ(itemsOn.size(), 15u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(itemsOn[i], i >= 5) << i;
  EXPECT_EQ(st().AnswerHit, 1);
  EXPECT_EQ(st().StageNo, 6);
}

}  // namespace kv::test
