// The main button: what a click does in each game mode, the stage start with
// its count-down, and the answer press during the run.
#include "app/form.h"
#include "game/stage_catalogue.h"

namespace kv {

void Form::CmdAns_Click() {
  PlayEffect(5, 1, 0);
  switch (st.GameMode) {
    case 0:
      ResetGame();
      StartStage();
      break;
    case 1:
      StartStage();
      break;
    case 2:
      PressAnswer();
      break;
    case 5:
      EndNameEntry();
      break;
    case 6:
      ShowTitle();
      break;
    default:
      break;
  }
}

// The verdict message slides out to the left, faster and faster.
void Form::SlideAwayVerdict() {
  if (!timCorrect->enabled()) return;
  do {
    MarkTime();
    Labelmsg->setLeft(
        Labelmsg->Left() - 1 -
        static_cast<double>(clng(PicMain->Left() + PicMain->Width() - Labelmsg->Left()) / 30));
    WaitSince(20, true);
  } while (!(PicMain->Left() - Labelmsg->Width() > Labelmsg->Left()));
  Labelmsg->setVisible(false);
  timCorrect->setEnabled(false);
}

void Form::StartStage() {
  const PlotGeometry& g = st.geo;
  // The button and Restart go off before the verdict slides away: the slide
  // lets events run, and a second click (a double-click on "NEXT STAGE") or
  // a Restart then would start a second stage inside this one.
  CmdAns->setEnabled(false);
  Restart->setEnabled(false);
  SlideAwayVerdict();
  timAnsPoint->setEnabled(false);
  const int last = st.StageNo >= 16 ? 14 : st.StageNo - 1;
  for (int i = 0; i <= last && i < static_cast<int>(StageSelect.size()); ++i)
    StageSelect[i]->setEnabled(false);
  st.GameMode = 2;
  st.AnsPromptClicks = 0;
  Stage_UrawazaTitle->setEnabled(false);
  ShowScore();
  SetUpStage(st, plat.random());
  LabelSt->setCaption(StageLabel(st.StageNo));
  Label1miss->setCaption(tr("1ﾐｽ減点  ") + numText(st.MissPenalty));
  Label1scale->setCaption(tr("1目盛り ") + numText(st.ScalePoints));
  ClearBoard();
  DrawStageBoard();
  // Low-score caution: a late answer could drive the score below zero.
  if (st.Score < 2 * (g.ColumnCount - st.AnsColumn) * st.ScalePoints) {
    st.CautionFlashCount = 0;
    st.CautionColumn = st.AnsColumn + st.Score / (2 * st.ScalePoints);
    st.CautionCount = static_cast<int16_t>(st.CautionCount + 1);
    timCaution->setEnabled(true);
  }
  // Miss warning: a wrong row would end the game.
  if (st.Score < st.MissPenalty) {
    st.MissFlashCount = 0;
    timMissFrash->setEnabled(true);
  }
  st.AnsRow = -1;
  CmdAns->setCaption(tr("解答！"));
  st.MsgSlideStep = static_cast<int16_t>(390 + 150 * mod().opt.OptCountDownSpeed);
  Labelmsg->setVisible(false);
  labStageTitle->setCaption(QStringLiteral(" ") + StageLabel(st.StageNo) +
                            QStringLiteral(" \r\n \"") + st.StageTitle + QStringLiteral("\" "));
  labStageTitle->setVisible(st.RetryFlag != -1);
  labStageTitle->setLeft(-labStageTitle->Width());
  labStageTitle->setTop((g.PlotBottom - labStageTitle->Height()) / 2);
  MarkTime();
  WaitSince(500, true);
  CountDown_();
  // GO!
  st.RetryFlag = 0;
  Labelmsg->setCaption(QStringLiteral("GO!"));
  Labelmsg->setForeColor(rgb(255, 255, 0));
  Labelmsg->setBackColor(rgb(0, 0, 0));
  labStageTitle->setVisible(false);
  PlayEffect(7, 1, 0);
  CmdAns->setEnabled(true);
  for (auto& it : linewidth) it->setEnabled(false);
  LineWidthChange->setEnabled(false);
  PicMain->DrawWidth = mod().opt.OptLineWidth;
  RunMotion();
  JudgeAnswer();
}

// "3", "2", "1": each number slides from the left toward the button; during
// the "1" the stage title slides in and stops centred.
void Form::CountDown_() {
  int32_t slidePos = 0;
  for (int n = 3; n >= 1; --n) {
    PlayEffect(3, 1, 0);
    SetColorFlags(static_cast<int16_t>(n - 1));
    Labelmsg->setCaption(QStringLiteral(" %1 ").arg(n));
    Labelmsg->setForeColor(rgb(128 * st.ColorR, 128 * st.ColorG, 128 * st.ColorB));
    Labelmsg->setBackColor(
        rgb(128 * st.ColorR + 127, 128 * st.ColorG + 127, 128 * st.ColorB + 127));
    Labelmsg->setAutoSize(true);
    Labelmsg->setLeft(slidePos);
    Labelmsg->setVisible(true);
    slidePos = 0;
    int32_t titlePos = 0;
    for (int step = 0; step < 20; ++step) {
      MarkTime();
      slidePos += st.MsgSlideStep;
      titlePos += st.MsgSlideStep;
      const double stop = CmdAns->Left() - Labelmsg->Width() - 150;
      if (slidePos > stop) slidePos = static_cast<int32_t>(clng(stop));
      const int32_t half = static_cast<int32_t>(clng(PicMain->Width()) / 2);
      if (titlePos > half) titlePos = half;
      if (n == 1)
        labStageTitle->setLeft(titlePos + static_cast<double>(clng(-labStageTitle->Width()) / 2));
      Labelmsg->setLeft(slidePos);
      WaitSince(25 - 6 * mod().opt.OptCountDownSpeed, true);
    }
    MarkTime();
    WaitSince(500 - 125 * mod().opt.OptCountDownSpeed, true);
  }
}

// "解答！" pressed during the run: the run holds until a cell is marked.
void Form::PressAnswer() {
  CmdAns->setEnabled(false);
  CmdAns->setVisible(false);
  for (auto& l : LabelAns) l->setVisible(true);
  timLabelAns->setEnabled(true);
  Labelmsg->setVisible(false);
  st.PressColumn = static_cast<int32_t>(clng(st.m.PointX - PicMain->Left()) / st.geo.ColumnWidth);
  DrawPressMarks();
  st.GameMode = 3;
  st.Frozen = 1;
  DrawFlash();
}

}  // namespace kv
