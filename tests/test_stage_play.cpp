// Whole stages and whole games played through the real handlers on virtual
// time: the verdict and its scoring, retries, game over, the ending, the
// extra stage and the count-down's timing.

#include "game/run_simulation.h"
#include "game/scoring.h"
#include "scores/ranking.h"
#include "tests/stage_player.h"

namespace kv::test {

using StagePlay = StagePlayer;

namespace {
const SimSoundBackend::Play* findPlay(const SimSoundBackend& s, const QString& name, int nth = 0) {
  for (const auto& p : s.plays)
    if (p.name == name && nth-- == 0) return &p;
  return nullptr;
}
}  // namespace

TEST_F(StagePlay, APressOnTheRedLineAnsweredRightScoresNothingAndAdvances) {
  start();
  sim->random().feed(0.37f);  // slope of stage 1
  play({.offset = 0});

  // 86 steps of 72 twips, the 87th cut back at the answer strip.
  const double s = static_cast<double>(0.37f) * 59 + 1;
  EXPECT_EQ(st().m.PointX, st().geo.PlotRight);
  EXPECT_NEAR(st().m.PointY, 86 * s + 26.0 / 72 * s, 1e-6);
  EXPECT_EQ(st().PressColumn, 36);
  EXPECT_EQ(st().AnswerHit, 1);
  EXPECT_EQ(st().Score, 500);
  EXPECT_EQ(form->LabelScore->Caption(), "SCORE  500");
  EXPECT_EQ(st().StageNo, 2);
  EXPECT_EQ(st().GameMode, 1);
  EXPECT_EQ(form->CmdAns->Caption(), "NEXT STAGE");
  EXPECT_TRUE(form->CmdAns->Enabled());
  EXPECT_TRUE(form->Restart->Enabled());
  EXPECT_TRUE(sounds().contains("correct"));
  // The press line on the answer column is magenta, and survived the flash.
  EXPECT_EQ(form->PicMain->Point(36 * 120 + 30, 300), rgb(255, 96, 255));
}

TEST_F(StagePlay, EarlyAndLatePressesScoreByColumnsAndSweepThirtyMsPerColumn) {
  start();
  // Stage 1 pays 5 points per column early and costs 10 per column late.
  const struct {
    int32_t offset;
    int32_t score;
    const char* line;
  } cases[] = {{-5, 525, "SCORE  525"},
               {-1, 505, "SCORE  505"},
               {2, 480, "SCORE  480"},
               {3, 470, "SCORE  470"}};
  bool first = true;
  for (const auto& c : cases) {
    arm({.offset = c.offset});
    if (first)
      clickAns();
    else
      form->Restart->click();  // abandons the game between stages
    first = false;
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(st().PressColumn, 36 + c.offset);
    EXPECT_EQ(st().AnswerHit, 1);
    EXPECT_EQ(st().Score, c.score);
    EXPECT_EQ(form->LabelScore->Caption(), c.line);
    EXPECT_EQ(st().StageNo, 2);
    const auto& plays = sim->simSound().plays;
    uint32_t correctAt = 0;
    for (const auto& p : plays)
      if (p.name == "correct") correctAt = p.at;
    EXPECT_EQ(sim->now() - correctAt, 30u * static_cast<uint32_t>(std::abs(c.offset)));
  }
}

TEST_F(StagePlay, AMissCostsThePenaltyAndTheRetryHidesTheStageTitle) {
  start();
  std::vector<bool> titleDuringOne;
  std::vector<int> retryFlagAtGo;
  auto watchCountDown = [&] {
    sim->when([&] { return st().GameMode == 2 && form->Labelmsg->Caption() == " 1 "; },
              [&] { titleDuringOne.push_back(form->labStageTitle->Visible()); });
    sim->when([&] { return st().GameMode == 2 && form->Labelmsg->Caption() == "GO!"; },
              [&] { retryFlagAtGo.push_back(st().RetryFlag); });
  };

  watchCountDown();
  play({.offset = -2});
  ASSERT_EQ(st().StageNo, 2);
  ASSERT_EQ(st().Score, 510);

  // Stage 2, the wrong row.
  watchCountDown();
  play({.offset = 0, .rightRow = false});
  EXPECT_EQ(st().AnswerHit, 0);
  EXPECT_EQ(st().Score, 510 - 75);
  EXPECT_EQ(form->LabelScore->Caption(), "SCORE  435");
  EXPECT_EQ(st().MissCount, 1);
  EXPECT_EQ(st().RetryFlag, -1);
  EXPECT_EQ(st().StageNo, 2);
  EXPECT_EQ(st().GameMode, 1);
  EXPECT_EQ(form->CmdAns->Caption(), "RETRY!");
  EXPECT_TRUE(form->CmdAns->Enabled());
  EXPECT_TRUE(form->Restart->Enabled());
  const SimSoundBackend::Play* miss = findPlay(sim->simSound(), "miss");
  ASSERT_NE(miss, nullptr);
  EXPECT_TRUE(miss->sync);

  // The retry, not answered at all: a MISS as well.
  watchCountDown();
  play({.press = false, .offset = {}});
  EXPECT_EQ(st().Score, 510 - 150);
  EXPECT_EQ(st().MissCount, 2);
  EXPECT_EQ(form->CmdAns->Caption(), "RETRY!");

  EXPECT_EQ(titleDuringOne, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(retryFlagAtGo, (std::vector<int>{0, 0, 0}));
}

TEST_F(StagePlay, ADoubleClickOnNextStageStartsOneStage) {
  start();
  play({.offset = 0});
  ASSERT_TRUE(form->timCorrect->enabled());  // "正解！" slides away first
  const int gos = count("count2");
  const uint32_t t0 = sim->now();
  sim->after(20, [&] { clickAns(); });  // the second click, during the slide
  sim->after(40, [&] { form->Restart->click(); });
  play({.press = false, .offset = {}});
  EXPECT_EQ(count("count2") - gos, 1);
  EXPECT_EQ(st().MissCount, 1);
  EXPECT_EQ(st().StageNo, 2);
  EXPECT_LT(sim->now() - t0, 15000u);  // one run of stage 2, not two
}

TEST_F(StagePlay, ALateRightAnswerThatDrivesTheScoreBelowZeroEndsTheGame) {
  start();
  play({.offset = 0});
  ASSERT_EQ(st().StageNo, 2);
  st().Score = 20;
  bool cautionAtStart = false, missWarningAtStart = false, cautionDone = false;
  Color cautionLine = 0;
  sim->when([&] { return st().GameMode == 2; },
            [&] {
              cautionAtStart = form->timCaution->enabled();
              missWarningAtStart = form->timMissFrash->enabled();
            });
  // 25 blinks in 1.5 s; the last one is yellow.
  sim->when([&] { return form->Labelmsg->Caption() == "GO!"; },
            [&] {
              cautionDone = !form->timCaution->enabled();
              cautionLine = form->PicMain->Point(st().CautionColumn * 120 + 30, 2000);
            });
  play({.offset = 2});  // 2 columns late at 7 points: -28

  EXPECT_TRUE(cautionAtStart);
  EXPECT_EQ(st().CautionColumn, 40 + 20 / 14);
  EXPECT_TRUE(cautionDone);
  EXPECT_EQ(cautionLine, rgb(255, 255, 96));
  EXPECT_TRUE(missWarningAtStart);
  EXPECT_FALSE(form->timMissFrash->enabled());
  EXPECT_EQ(st().AnswerHit, 1);
  EXPECT_EQ(st().Score, -8);
  EXPECT_EQ(st().FinalRank, 1);
  EXPECT_TRUE(form->timGameover->enabled());
  EXPECT_FALSE(form->timAnsPoint->enabled());
  EXPECT_TRUE(form->labGameover[0]->Visible());
  EXPECT_TRUE(form->labGameover[1]->Visible());
  EXPECT_NE(form->CmdAns->Caption(), "NEXT STAGE");
  EXPECT_FALSE(form->CmdAns->Enabled());
  EXPECT_EQ(st().StageNo, 2);
}

TEST_F(StagePlay, AGamePlayedRightFromStageOneReachesTheEndingWithItsRank) {
  start();
  form->linewidth[2]->click();
  form->CountDownSpeed[2]->click();
  int32_t expected = 500;
  for (int stage = 1; stage <= 15; ++stage) {
    ASSERT_EQ(st().GameMode, stage == 1 ? 0 : 1);
    play();
    ASSERT_EQ(st().AnswerHit, 1) << "stage " << stage << " final y " << last.finalY;
    expected += gain(st().PressColumn);
    ASSERT_EQ(st().Score, expected) << "stage " << stage;
    if (stage < 15) {
      ASSERT_EQ(st().StageNo, stage + 1);
      ASSERT_EQ(form->CmdAns->Caption(), "NEXT STAGE");
    }
  }

  EXPECT_EQ(st().StageNo, 15);
  EXPECT_EQ(st().MissCount, 0);
  EXPECT_TRUE(form->timEnding->enabled());
  EXPECT_FALSE(form->timGameover->enabled());
  EXPECT_FALSE(form->CmdAns->Enabled());
  EXPECT_FALSE(form->Restart->Enabled());
  EXPECT_FALSE(form->Pause->Enabled());
  EXPECT_EQ(st().FinalRank, RankRule(st().Score, 0));
  const QString letter = RankLetter(st().FinalRank);
  ASSERT_EQ(letter.size(), 1);
  EXPECT_EQ(letter, "S");  // no miss, every answer as early as the run allowed
  EXPECT_EQ(form->LabelRank->Caption(), QString(QChar(letter.at(0).unicode() + 0xFEE0)));
}

TEST_F(StagePlay, TenTitleDoubleClicksStartTheExtraStageWhoseClearEndsTheGame) {
  start();
  for (int i = 0; i < 9; ++i) form->PicMain_DblClick();
  EXPECT_EQ(count("correct"), 0);
  QTest::mouseDClick(form->PicMain->widget(), Qt::LeftButton);
  EXPECT_EQ(st().TitleDblClicks, 10);
  EXPECT_EQ(count("correct"), 1);
  EXPECT_EQ(form->LabelSt->ToolTipText(), "裏面だ！！　イエー！！");

  bool allItemsOff = false;
  sim->when([&] { return st().GameMode == 2; },
            [&] {
              allItemsOff = true;
              for (auto& it : form->StageSelect) allItemsOff = allItemsOff && !it->Enabled();
            });
  play({.offset = {}, .rightRow = false});
  EXPECT_TRUE(allItemsOff);
  EXPECT_EQ(st().StageNo, 16);
  EXPECT_EQ(st().MissPenalty, 0);
  EXPECT_EQ(form->LabelSt->Caption(), "EXTRA STAGE");
  EXPECT_EQ(st().MissCount, 1);
  EXPECT_EQ(st().Score, 500);  // a miss costs nothing here
  EXPECT_EQ(form->CmdAns->Caption(), "RETRY!");

  play();  // pressed in the first column: 51 columns early at 500 points
  EXPECT_EQ(st().AnswerHit, 1);
  EXPECT_EQ(st().Score, 500 + gain(st().PressColumn));
  EXPECT_EQ(st().FinalRank, 1);
  EXPECT_TRUE(form->timGameover->enabled());
  EXPECT_FALSE(form->timEnding->enabled());
}

TEST_F(StagePlay, NineTitleDoubleClicksStillStartAtStageOne) {
  start();
  for (int i = 0; i < 9; ++i) form->PicMain_DblClick();
  play({.press = false, .offset = {}});
  EXPECT_EQ(st().StageNo, 1);
  EXPECT_EQ(st().MissPenalty, 120);
  EXPECT_EQ(count("correct"), 0);
}

TEST_F(StagePlay, TheCountDownTakesOneSecondPerNumberOrLessByTheOption) {
  // Per number: 20 slide steps of 25 - 6 v ms and a hold of 500 - 125 v ms.
  const uint32_t perNumber[3] = {1000, 755, 510};
  start();
  for (int speed = 0; speed < 3; ++speed) {
    SCOPED_TRACE(speed);
    form->CountDownSpeed[speed]->click();
    EXPECT_EQ(mod().opt.OptCountDownSpeed, speed);
    sim->simSound().plays.clear();
    const uint32_t t0 = sim->now();
    if (speed == 0)
      play({.press = false, .offset = {}});
    else
      form->Restart->click();
    for (int n = 0; n < 3; ++n) {
      const auto* p = findPlay(sim->simSound(), "count1", n);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p->at - t0, 500 + n * perNumber[speed]);
    }
    const auto* go = findPlay(sim->simSound(), "count2");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->at - t0, 500 + 3 * perNumber[speed]);
  }
}

}  // namespace kv::test
