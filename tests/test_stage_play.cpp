// Whole stages and whole games played through the real handlers on virtual
// time: the verdict and its scoring, retries, game over, the ending, the
// extra stage and the count-down's timing.

#include <map>

#include "scores/ranking.h"
#include "tests/stage_player.h"

namespace kv::test {

using StagePlay = StagePlayer;

// A right answer scores by columns from the red line, swept at 30 ms a
// column. "正解！" stands left of the button, then slides out to the left in
// steps of 20 ms, each longer than the last, before the next stage counts down.
TEST_F(StagePlay, ARightAnswerScoresByColumnsFromTheRedLineSweepsAndSlidesAway) {
  start();
  // Stage 1 pays 5 points per column early and costs 10 per column late.
  const std::pair<int32_t, int32_t> cases[] = {{0, 500}, {-5, 525}, {-1, 505}, {2, 480}, {3, 470}};
  for (const auto& c : cases) {
    arm({.offset = c.first});
    // The restart abandons the game between stages.
    &c == cases ? clickAns() : form->Restart->click();
    SCOPED_TRACE(c.first);
    EXPECT_EQ(std::tuple(st().PressColumn, st().AnswerHit, st().Score, st().StageNo, ansButton()),
              std::tuple(36 + c.first, 1, c.second, 2, std::pair(QString("NEXT STAGE"), true)));
    if (c.first == 0) {
      // The press line on the answer column is magenta, and survived the flash.
      EXPECT_EQ(form->PicMain->Point(36 * 120 + 30, 300), rgb(255, 96, 255));
    } else {
      // The sweep painted the columns between the press and the answer line.
      EXPECT_EQ(greenOf(form->PicMain->Point((36 + c.first / 2.0) * 120 + 30, 300)), 0);
    }
    EXPECT_EQ(std::tuple(form->LabelScore->Caption(), sim->now() - lastPlay("correct")),
              std::tuple(QString("SCORE  %1").arg(c.second), 30u * std::abs(c.first)));
  }

  const double width = form->Labelmsg->Width();
  const double right = form->CmdAns->Left() - width - 150;
  EXPECT_EQ(form->Labelmsg->Left(), right);
  std::vector<std::pair<uint32_t, double>> steps;  // (time, left) at each move
  sim->when(
      [&] {
        const double left = form->Labelmsg->Left();
        if (form->Labelmsg->Caption() == "正解！" && left != right &&
            (steps.empty() || steps.back().second != left))
          steps.emplace_back(sim->now(), left);
        return false;
      },
      [] {});
  play(kNoPress);
  ASSERT_GE(steps.size(), 3u);
  // Every 20 ms one twip and a thirtieth (in whole twips) of the way to the
  // plot's right edge, so faster each step.
  const double edge = form->PicMain->Left() + form->PicMain->Width();
  for (size_t i = 0; i < steps.size(); ++i) {
    const double from = i ? steps[i - 1].second : right;
    EXPECT_EQ(steps[i].second, from - 1 - static_cast<double>(clng(edge - from) / 30)) << i;
    EXPECT_EQ(steps[i].first - steps[i ? i - 1 : 0].first, i ? 20u : 0u) << i;
  }
  EXPECT_LT(steps.back().second, form->PicMain->Left() - width);
  EXPECT_GE(steps[steps.size() - 2].second, form->PicMain->Left() - width);
}

TEST_F(StagePlay, AMissCostsThePenaltyAndTheRetryHidesTheStageTitle) {
  start();
  std::vector<bool> titleDuringOne;
  auto playWatched = [&](Answer a) {
    sim->when([&] { return st().GameMode == 2 && form->Labelmsg->Caption() == " 1 "; },
              [&] { titleDuringOne.push_back(form->labStageTitle->Visible()); });
    play(a);
  };

  playWatched({.offset = -2});
  ASSERT_EQ(std::tuple(st().StageNo, st().Score), std::tuple(2, 510));

  // Stage 2, pressed early in the wrong row: the press line is blue.
  playWatched({.offset = -3, .rightRow = false});
  EXPECT_EQ(form->PicMain->Point((st().AnsColumn - 3) * 120 + 30, 300), rgb(96, 96, 255));
  EXPECT_EQ(std::tuple(st().AnswerHit, st().Score, st().MissCount, st().StageNo, ansButton()),
            std::tuple(0, 510 - 75, 1, 2, std::pair(QString("RETRY!"), true)));

  // The retry, not answered at all: a MISS as well.
  playWatched(kNoPress);
  EXPECT_EQ(std::tuple(st().Score, st().MissCount), std::tuple(510 - 150, 2));

  EXPECT_EQ(titleDuringOne, (std::vector<bool>{true, true, false}));

  // A miss that leaves exactly nothing is no game over.
  st().Score = st().MissPenalty;
  play(kNoPress);
  EXPECT_EQ(std::tuple(st().Score, form->CmdAns->Caption(), form->timGameover->enabled()),
            std::tuple(0, QString("RETRY!"), false));
}

// A double click on "NEXT STAGE" starts one stage. The retry of the missed
// stage, answered right but late, drives the score below zero and ends the game.
TEST_F(StagePlay, ADoubleClickOnNextStageStartsOneStageAndALateRightAnswerCanEndTheGame) {
  start();
  play({.offset = 0});
  ASSERT_TRUE(form->timCorrect->enabled());  // "正解！" slides away first
  const int gos = count("count2");
  const uint32_t t0 = sim->now();
  sim->after(20, [&] { clickAns(); });  // the second click, during the slide
  sim->after(40, [&] { form->Restart->click(); });
  play(kNoPress);
  EXPECT_EQ(std::tuple(count("count2") - gos, st().MissCount, st().StageNo), std::tuple(1, 1, 2));
  EXPECT_LT(sim->now() - t0, 15000u);  // one run of stage 2, not two

  st().Score = 20;
  int checks = 0;
  // The caution line blinks 25 times in 1.5 s, grey and yellow; the last one
  // is yellow.
  onSetUp([&] { checks += form->timCaution->enabled() && form->timMissFrash->enabled(); });
  // Each blink as it is drawn: odd ones yellow, even ones grey. The miss
  // label meanwhile steps through eight shades of yellow, 32 apart.
  std::map<int, Color> blinks, shades;
  sim->when(
      [&] {
        const int b = st().CautionFlashCount, s = st().MissFlashCount;
        if (b > 0 && !blinks.count(b))
          blinks[b] = form->PicMain->Point(st().CautionColumn * 120 + 30, 2000);
        if (form->timMissFrash->enabled() && !shades.count(s))
          shades[s] = form->Label1miss->ForeColor();
        return false;
      },
      [] {});
  sim->when([&] { return form->Labelmsg->Caption() == "GO!"; },
            [&] {
              EXPECT_FALSE(form->timCaution->enabled());
              EXPECT_EQ(form->PicMain->Point(st().CautionColumn * 120 + 30, 2000),
                        rgb(255, 255, 96));
              ++checks;
            });
  play({.offset = 2});  // 2 columns late at 7 points: -28
  // A right answer, yet the game is over; the miss label's flash ended with the run.
  EXPECT_EQ(std::tuple(checks, st().CautionColumn, st().Score, st().FinalRank,
                       form->timGameover->enabled(), form->timMissFrash->enabled()),
            std::tuple(2, 40 + 20 / 14, -8, 1, true, false));
  EXPECT_EQ(blinks.size(), 25u);
  for (const auto& [b, c] : blinks) EXPECT_EQ(c, b % 2 ? rgb(255, 255, 96) : rgb(96, 96, 96)) << b;
  EXPECT_EQ(shades.size(), 8u);
  for (const auto& [s, c] : shades) EXPECT_EQ(c, rgb(32 * s, 32 * s, 0)) << s;
  // The verdict's flicker ends with the shrunken plot.
  sim->runUntil([&] { return !form->timGameover->enabled(); });
  EXPECT_EQ(std::tuple(form->PicMain->Visible(), form->timCorrect->enabled()),
            std::tuple(false, false));
}

// The caution line blinks only when the score is below what the latest
// answer could cost: two scale points for each column after the answer line.
// The same second stage is set up three times on the same draws.
TEST_F(StagePlay, TheCautionComesOnlyBelowWhatTheLatestAnswerCouldCost) {
  int32_t cost = -1;
  for (int32_t score : {500, 0, -1}) {  // the last two relative to the cost
    restart();
    play({.offset = 0});
    if (cost >= 0) st().Score = cost + score;
    const int16_t cautions = st().CautionCount;
    onSetUp([&] { cost = 2 * (st().geo.ColumnCount - st().AnsColumn) * st().ScalePoints; });
    // The line width cannot change while the point runs.
    bool widthDuringRun = true;
    onRun([&] { widthDuringRun = form->LineWidthChange->Enabled(); });
    play(kNoPress);
    EXPECT_EQ(
        std::tuple(st().CautionCount - cautions, widthDuringRun, form->LineWidthChange->Enabled()),
        std::tuple(score < 0 ? 1 : 0, false, true))
        << score;
  }
}

// Played on a still clock and on one that moves on between reads, as on a
// loaded machine, which the frames, count-downs, marking and verdict waits
// must absorb without stretching a wait.
class WholeGame : public StagePlayer, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(Clock, WholeGame, ::testing::Values(false, true));

TEST_P(WholeGame, PlayedRightFromStageOneReachesTheEndingWithItsRank) {
  start();
  const uint64_t t0 = sim->elapsedMs();
  // Bursts of 1 to 4 ms after some reads.
  if (GetParam())
    sim->readDelay = [](uint64_t n) { return static_cast<uint32_t>(n % 7 < 4 ? n % 5 : 0); };
  form->linewidth[2]->click();
  form->CountDownSpeed[2]->click();
  // A game lost before leaves "GAME OVER" under the plot; the ending, which
  // squeezes the plot away, takes it down.
  for (auto& l : form->labGameover) l->setVisible(true);
  int32_t expected = 500;
  for (int stage = 1; stage <= 15; ++stage) {
    play();
    expected += gain(st().PressColumn);
    ASSERT_EQ(std::tuple(st().AnswerHit, st().Score, st().StageNo),
              std::tuple(1, expected, std::min(stage + 1, 15)))
        << "stage " << stage << " final y " << last.finalY;
  }

  // Fifteen stages with their count-downs and verdicts take minutes, not days.
  EXPECT_LT(sim->elapsedMs() - t0, 30u * 60 * 1000);
  // No miss, every answer as early as the run allowed: rank S, full width.
  // The pause is refused during the ending.
  EXPECT_EQ(
      std::tuple(form->timEnding->enabled(), form->timGameover->enabled(),
                 RankLetter(st().FinalRank), form->LabelRank->Caption(), form->Pause->Enabled(),
                 form->labGameover[0]->Visible(), form->labGameover[1]->Visible()),
      std::tuple(true, false, QString("S"), QString("Ｓ"), false, false, false));
  key(Qt::Key_Escape);
  EXPECT_EQ(st().Paused, 0);
  // The sequence tick by tick is checked in test_end_ticks.cpp.
  sim->runUntil([this] { return st().GameMode == 5; });
  EXPECT_EQ(st().RankPos, 0);
  EXPECT_EQ(form->labHS[0]->Caption().mid(20),
            "     S  " + QString::number(st().Score).rightJustified(5, '0') + "     15");
}

TEST_F(StagePlay, TenTitleDoubleClicksStartTheExtraStageWhoseClearEndsTheGame) {
  start();
  for (int i = 0; i < 9; ++i) form->PicMain_DblClick();
  EXPECT_EQ(count("correct"), 0);
  const uint32_t t0 = sim->now();
  QTest::mouseDClick(form->PicMain->widget(), Qt::LeftButton);
  EXPECT_EQ(std::tuple(count("correct"), form->LabelSt->ToolTipText(), sim->now()),
            std::tuple(1, QString("裏面だ！！　イエー！！"), t0));

  int itemsOn = -1;
  onSetUp([&] {
    itemsOn = std::count_if(form->StageSelect.begin(), form->StageSelect.end(),
                            [](auto& it) { return it->Enabled(); });
  });
  play({.offset = {}, .rightRow = false});
  // A miss costs nothing here.
  EXPECT_EQ(std::tuple(itemsOn, form->LabelSt->Caption(), st().MissCount, st().Score),
            std::tuple(0, QString("EXTRA STAGE"), 1, 500));

  play();  // pressed in the first column: 51 columns early at 500 points
  EXPECT_EQ(std::tuple(st().Score, st().FinalRank, form->timGameover->enabled(),
                       form->timEnding->enabled()),
            std::tuple(500 + gain(st().PressColumn), 1, true, false));
  // Never entered in the table, even a default one.
  sim->runUntil([&] { return st().GameMode == 6; });
  EXPECT_EQ(std::tuple(st().RankPos, count("rankin")), std::tuple(-1, 0));
}

TEST_F(StagePlay, TheCountDownTakesOneSecondPerNumberOrLessByTheOption) {
  // Per number: 20 slide steps of 25 - 6 v ms and a hold of 500 - 125 v ms.
  const uint32_t perNumber[3] = {1000, 755, 510};
  start();
  for (int speed = 0; speed < 3; ++speed) {
    SCOPED_TRACE(speed);
    form->CountDownSpeed[speed]->click();
    sim->simSound().plays.clear();
    // Each number in its colours: blue, green, red, on a light wash of each.
    std::vector<std::pair<Color, Color>> colours;
    for (const char* n : {" 3 ", " 2 ", " 1 "})
      sim->when(
          [&, n] { return form->Labelmsg->Caption() == n; },
          [&] { colours.emplace_back(form->Labelmsg->ForeColor(), form->Labelmsg->BackColor()); });
    // The stage title waits off the plot until the "1", at the plot's middle height.
    std::pair<double, double> titleAtTwo;  // its right edge and middle
    sim->when([&] { return form->Labelmsg->Caption() == " 2 "; },
              [&] {
                const Label& t = *form->labStageTitle;
                titleAtTwo = {t.Left() + t.Width(), t.Top() + t.Height() / 2};
              });
    // During the "1" its centre moves with the number's steps up to the
    // middle of the plot; at "GO!" it is gone.
    std::vector<double> centres;
    int titleAtGo = -1;
    sim->when(
        [&] {
          const double c = form->labStageTitle->Left() + form->labStageTitle->Width() / 2;
          if (form->Labelmsg->Caption() == " 1 " && (centres.empty() || centres.back() != c))
            centres.push_back(c);
          return form->Labelmsg->Caption() == "GO!";
        },
        [&] { titleAtGo = form->labStageTitle->Visible(); });
    const uint32_t t0 = sim->now();
    speed == 0 ? play(kNoPress) : form->Restart->click();
    // " 3 ", " 2 ", " 1 " and then "GO!".
    std::vector<uint32_t> seen, expected;
    for (const auto& p : sim->simSound().plays)
      if (p.name == "count1" || (p.name == "count2" && seen.size() == 3)) seen.push_back(p.at - t0);
    for (uint32_t n = 0; n < 4; ++n) expected.push_back(500 + n * perNumber[speed]);
    EXPECT_EQ(seen, expected);
    std::vector<double> slide;
    // From the first step: the title starts off the plot, centred on nothing.
    for (int k = 1; slide.empty() || slide.back() < 3780; ++k)
      slide.push_back(std::min(k * (390.0 + 150 * speed), 3780.0));
    EXPECT_EQ(centres, slide);
    EXPECT_EQ(std::pair(titleAtTwo, titleAtGo),
              std::pair(std::pair(0.0, st().geo.PlotBottom / 2.0), 0));
    EXPECT_EQ(colours,
              (std::vector<std::pair<Color, Color>>{{rgb(0, 0, 128), rgb(127, 127, 255)},
                                                    {rgb(0, 128, 0), rgb(127, 255, 127)},
                                                    {rgb(128, 0, 0), rgb(255, 127, 127)}}));
  }
}

}  // namespace kv::test
