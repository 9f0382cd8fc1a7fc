// The end of a game tick by tick, on a window whose outer size is 7650 x 6390
// twips (510 x 426 pixels): the game-over shrink, the flying letters and
// their flash, the wash and squeeze of the plot, the line, "Your rank :", the
// rank letter and the farewell; the name box over its line, the hint boxes
// after the entry, and the table cleared while the ending runs out.
#include <QFontMetrics>

#include "scores/ranking.h"
#include "tests/sim_fixture.h"

namespace kv::test {

class EndTicks : public SimGame {
 protected:
  // The ending of a game won with 5000 points and no miss: rank S.
  void startEnding() {
    std::tie(st().Score, st().MissCount) = std::tuple(5000, 0);
    form->StartEnding();
  }
  // Runs a timer of `interval` ms, started at the last call with tick 0 (or
  // at a timer's start), up to its tick `tick`.
  void toTick(uint32_t interval, int tick) {
    sim->advance(interval * (tick - done));
    done = tick;
  }
  int done = 0;
  // Runs to tick `n` of the ending's second phase, once the plot is gone and
  // the letters have flown.
  void toPhase2Tick(int n) {
    sim->runUntil([&] {
      return !form->PicMain->Visible() && !form->timFryLetters->enabled() && st().EndingTicks == n;
    });
  }
  // A game of rank `rank` with no score, ended in `stage`, into a cleared table.
  void enterRanking(int16_t rank, int16_t stage) {
    ClearRanking(mod().hs);
    std::tie(st().FinalRank, st().Score, st().StageNo) = std::tuple(rank, 0, stage);
    form->EnterRanking();
  }
};

// Tick k moves the plot 5 pixels right and down and takes 10 pixels off both
// sides; tick 36 finds it under 10 pixels high and hides it.
TEST_F(EndTicks, TheGameOverShrinksThePlotAroundItsCentre) {
  start();
  // The window every test here starts with.
  ASSERT_EQ(std::tuple(form->formWidth(), form->formHeight()), std::tuple(7650.0, 6390.0));
  form->StartGameOver();
  // (tick, left, top, width, height)
  const std::tuple<int, double, double, double, double> rows[] = {{0, 0, 0, 7560, 5310},
                                                                  {1, 75, 75, 7410, 5160},
                                                                  {2, 150, 150, 7260, 5010},
                                                                  {35, 2625, 2625, 2310, 60}};
  for (const auto& [tick, left, top, width, height] : rows) {
    toTick(50, tick);
    const Picture& p = *form->PicMain;
    EXPECT_EQ(std::tuple(p.Left(), p.Top(), p.Width(), p.Height(), p.Visible()),
              std::tuple(left, top, width, height, true))
        << "tick " << tick;
  }
}

// Letter i starts 5 ticks after letter i - 1 from (1260, 5751), flies 25
// ticks to (1380 + 305 i, 639) shrinking from 342 to 30 points, then flashes
// from RGB(0,1,0) through reds to black.
TEST_F(EndTicks, EveryFlyingLetterFliesShrinksAndFlashesOnItsOwnTicks) {
  start();
  form->StartFlyingLetters();
  // (tick, letter, left, top, points, colour)
  const std::tuple<int, int, double, double, double, Color> rows[] = {
      {1, 0, 1265, 5547, 342, 0},    {1, 1, 960, 12780, 340, 0},  // not started: below the window
      {6, 1, 1277, 5547, 342, 0},    {25, 0, 1380, 639, 30, 0},    {25, 1, 1600, 1661, 142, 0},
      {26, 0, 1380, 639, 30, 256},   {27, 0, 1380, 639, 30, 248},  {47, 7, 2342, 3297, 270, 0},
      {57, 0, 1380, 639, 30, 8},     {58, 0, 1380, 639, 30, 0},    {75, 15, 960, 12780, 340, 0},
      {76, 15, 1448, 5547, 342, 0},  {88, 15, 3701, 3093, 258, 0}, {100, 15, 5955, 639, 30, 0},
      {101, 15, 5955, 639, 30, 256}, {132, 15, 5955, 639, 30, 8},  {133, 15, 5955, 639, 30, 0},
  };
  for (const auto& [tick, letter, left, top, points, color] : rows) {
    toTick(60, tick);
    ASSERT_EQ(st().FryTicks, tick);
    const Label& l = *form->LabFry[letter];
    EXPECT_EQ(
        std::tuple(l.Left(), l.Top(), l.FontSize(), l.ForeColor(), l.Caption(), l.Visible()),
        std::tuple(left, top, points, color, QString("Congraturations!").mid(letter, 1), true))
        << "tick " << tick << " letter " << letter;
  }
  // After its flash a letter keeps its colour.
  form->LabFry[15]->setForeColor(1234);
  sim->advance(60);
  EXPECT_EQ(form->LabFry[15]->ForeColor(), 1234);
  sim->advance(60 * (138 - 134));
  EXPECT_TRUE(form->timFryLetters->enabled());
  sim->advance(60);
  EXPECT_EQ(std::tuple(form->timFryLetters->enabled(), st().FryTicks), std::tuple(false, 139));
}

// Phase 1: red, green, blue merged in bit by bit (a black pixel shows the
// colour 2^n - 1) while the plot loses 100 twips of height a tick and moves
// 50 down; under 100 twips high it is hidden.
// Phase 2, after the letters have flashed: the line grows under the word in
// 12 ticks, "Your rank :" at 25, the rank letter fades in from 71 to 80, the
// farewell at 150, the ranking at 300.
TEST_F(EndTicks, ThePlotIsWashedAndSqueezedThenEachPartShowsOnItsTick) {
  start();
  form->PicMain->PSet(3000, 200, 0);
  // A close call and a sparkle in the last stage end with it; no restart.
  form->picKakudai->setVisible(true);
  form->timAnsPoint->setEnabled(true);
  startEnding();
  ASSERT_EQ(std::tuple(st().FinalRank, form->picKakudai->Visible(), form->timAnsPoint->enabled(),
                       form->Restart->Enabled()),
            std::tuple(int16_t(8), false, false, false));
  // (tick, pixel, top, height)
  const std::tuple<int, Color, double, double> rows[] = {
      {1, 0x000001, 50, 5210},    {7, 0x00007F, 350, 4610},  {8, 0x0000FF, 400, 4510},
      {9, 0x0001FF, 450, 4410},   {16, 0x00FFFF, 800, 3710}, {17, 0x01FFFF, 850, 3610},
      {24, 0xFFFFFF, 1200, 2910}, {53, -1, 2650, 10}};  // the pixel is outside by now
  for (const auto& [tick, pixel, top, height] : rows) {
    toTick(50, tick);
    const Picture& p = *form->PicMain;
    EXPECT_EQ(std::tuple(p.Point(3000, 200), p.Top(), p.Height(), p.Visible(), p.Width()),
              std::tuple(pixel, top, height, true, 7560.0))
        << "tick " << tick;
  }
  sim->advance(50);
  EXPECT_EQ(std::tuple(form->PicMain->Visible(), st().EndingTicks), std::tuple(false, 0));

  // The line grows 4890 / 12 twips a tick and is shown from the first, the
  // other parts from theirs; the rank letter is RGB(255, 255, blue).
  // (tick, line's end, blue)
  const std::tuple<int, double, int> phase2[] = {
      {1, 1787.5, 0},   {6, 3825, 0},     {12, 6270, 0},   {13, 6270, 0},   {24, 6270, 0},
      {25, 6270, 0},    {70, 6270, 0},    {71, 6270, 242}, {75, 6270, 192}, {80, 6270, 128},
      {149, 6270, 128}, {150, 6270, 128}, {299, 6270, 128}};
  form->LabelRank->setForeColor(0);
  for (const auto& [tick, lineEnd, blue] : phase2) {
    toPhase2Tick(tick);
    EXPECT_EQ(std::tuple(form->LinEnding->X1(), form->LinEnding->X2(), form->LinEnding->Visible(),
                         form->Labelyr->Visible(), form->LabelRank->Visible(),
                         form->LabelRank->ForeColor(), form->LabelEbye->Visible(), st().GameMode),
              std::tuple(1380.0, lineEnd, true, tick >= 25, tick >= 71,
                         tick >= 71 ? rgb(255, 255, blue) : 0, tick >= 150, 0))
        << "tick " << tick;
  }
  EXPECT_EQ(std::tuple(form->LinEnding->Y1(), form->Labelmsg->Visible()),
            std::tuple(6390 / 6 + 60, false));
  // The farewell keeps the year after its twelve blanks and fits its label on
  // two lines.
  const Label& bye = *form->LabelEbye;
  EXPECT_TRUE(bye.Caption().startsWith("　See You Again!" + QString(12, ' ') + "2002 "));
  const QRect box(0, 0, toPx(bye.Width()), toPx(bye.Height()));
  const QRect text =
      QFontMetrics(bye.qfont())
          .boundingRect(box, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, bye.Caption());
  EXPECT_EQ(text.size().boundedTo(box.size()), text.size());
  toPhase2Tick(299);
  sim->advance(50);
  EXPECT_EQ(st().GameMode, 5);
  EXPECT_EQ(
      std::tuple(form->LabFry[0]->Visible(), form->LabFry[15]->Visible(),
                 form->LinEnding->Visible(), form->Labelyr->Visible(), form->LabelRank->Visible(),
                 form->LabelEbye->Visible(), form->timEnding->enabled()),
      std::tuple(false, false, false, false, false, false, false));
}

// The table cleared from the menu near the end of the ending: answered at
// once, the result goes into the cleared table; if the ending runs out while
// the question is open, the name entry that started keeps its entry.
TEST_F(EndTicks, ClearingTheTableDuringTheEndingLeavesAConsistentGame) {
  for (bool endsWhileAsked : {false, true}) {
    SCOPED_TRACE(endsWhileAsked);
    restart();
    mod().hs.e[0] = {"KORVANE", "02/08/17", 9999, 15, 8};
    startEnding();
    toPhase2Tick(290);
    if (endsWhileAsked)
      sim->whileAsking = [&] { sim->runUntil([&] { return st().GameMode == 5; }); };
    form->mnuClearHighScore->click();
    sim->runUntil([&] { return st().GameMode == 5; });
    sim->advance(1000);
    EXPECT_EQ(
        std::tuple(st().GameMode, st().RankPos, mod().hs.e[0].Name, mod().hs.e[st().RankPos].Score,
                   form->txtName->Visible(), form->timInputName->enabled(), form->CmdAns->Caption(),
                   form->mnuClearHighScore->Enabled()),
        std::tuple(5, endsWhileAsked ? 1 : 0, QString(endsWhileAsked ? "KORVANE" : "          "),
                   5000, true, true, QString("OK"), false));
  }
}

// The name box lies over the name column of the new line, 2 pixels up and
// left; the typed name loses its outer blanks; ranks Z and S leave a hint;
// the new line flashes; the heading is drawn in front of the grey bar under it.
TEST_F(EndTicks, TheNameEntryBoxItsTrimmingItsHintsAndItsFlash) {
  start();
  // (place in the table, the box's top)
  const std::pair<int, double> places[] = {{0, 2359.5}, {4, 3324.954545}, {9, 4531.772727}};
  for (const auto& [pos, top] : places) {
    enterRanking(1, static_cast<int16_t>(11 - pos));
    ASSERT_EQ(st().RankPos, pos);
    EXPECT_NEAR(form->txtName->Left(), 1213.6, 1e-6);
    EXPECT_NEAR(form->txtName->Top(), top, 1e-6) << pos;
    clickAns();
  }

  // Blanks are trimmed from both ends of the box (the box shows the result);
  // full-width blanks are not trimmed but become half-width when stored. Rank
  // Z and rank S leave a hint after the name entry; no other rank does.
  const QString z = "Ｚランク　おめでとう！: 「解答してください！」の文字を15回クリック！";
  const QString s = "Ｓランク　おめでとう！: 実はＥランクの下に、Ｚランクが存在するという・・・";
  // (rank, typed, shown, stored, message, its icon)
  const std::tuple<int16_t, QString, QString, QString, QString, MsgIcon> rows[] = {
      {1, "  AB  ", "AB", "AB", "", MsgIcon::None},
      {2, " A B ", "A B", "A B", z, MsgIcon::Information},
      {3, "\u3000ＡＢ\u3000", "\u3000ＡＢ\u3000", " AB ", "", MsgIcon::None},
      {4, " \u3000A\u3000 ", "\u3000A\u3000", " A ", "", MsgIcon::None},
      {5, "\u3000 \u3000", "\u3000 \u3000", "NONAME", "", MsgIcon::None},
      {6, "          ", "", "NONAME", "", MsgIcon::None},
      {7, "A", "A", "A", "", MsgIcon::None},
      {8, "B", "B", "B", s, MsgIcon::Question}};
  for (const auto& [rank, typed, shown, stored, message, icon] : rows) {
    SCOPED_TRACE(rank);
    sim->messages.clear();
    sim->icons.clear();
    enterRanking(rank, 11);
    ASSERT_EQ(st().GameMode, 5);
    form->txtName->setText(typed);
    clickAns();
    EXPECT_EQ(std::tuple(st().GameMode, form->txtName->Text(), mod().hs.e[0].Name,
                         QStringList(sim->messages.begin(), sim->messages.end()).join("|"),
                         sim->icons.empty() ? MsgIcon::None : sim->icons[0]),
              std::tuple(6, shown, stored, message, icon));
  }

  // The new line swings between yellow and red every 8 ticks of 150 ms;
  // the letter keys cycle through the colours, a sixteenth apart.
  enterRanking(1, 2);
  ASSERT_EQ(st().RankPos, 9);
  st().NameFlashTicks = 0;
  // (tick, the line's colour, the keys')
  const std::tuple<int, Color, Color> flash[] = {{1, rgb(255, 192, 0), rgb(212, 42, 128)},
                                                 {4, rgb(255, 0, 0), rgb(152, 18, 188)},
                                                 {7, rgb(255, 192, 0), rgb(92, 78, 248)},
                                                 {8, rgb(255, 255, 0), rgb(72, 98, 244)},
                                                 {9, rgb(255, 192, 0), rgb(52, 118, 224)}};
  for (const auto& [tick, line, key] : flash) {
    toTick(150, tick);
    EXPECT_EQ(std::tuple(form->labHS[st().RankPos]->ForeColor(), form->labChr[1]->ForeColor(),
                         form->labChr[17]->ForeColor()),
              std::tuple(line, key, key))
        << tick;
  }
  const QObjectList& order = form->picHS->widget()->children();
  EXPECT_GT(order.indexOf(form->labName->widget()), order.indexOf(form->linName->widget()));
}

}  // namespace kv::test
