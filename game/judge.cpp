// The verdict after each run: the blinking crosshair, the probe of the
// answer strip, the magnifier for close calls, the score sweep or the MISS
// penalty, and what comes next.
#include "app/form.h"
#include "game/scoring.h"
#include "scores/ranking.h"

namespace kv {

void Form::DrawCrosshair() {
  const Color c = rgb(255, 128, 128);
  PicMain->Line(st.m.PointX, 0, st.m.PointX, st.geo.PlotBottom, c);
  PicMain->Line(0, st.m.PointY, PicMain->Width(), st.m.PointY, c);
  PicMain->Refresh();
}

void Form::JudgeAnswer() {
  CmdAns->setEnabled(false);
  for (auto& it : linewidth) it->setEnabled(true);
  LineWidthChange->setEnabled(true);
  Label1miss->setForeColor(0);  // the system colour of button text
  timMissFrash->setEnabled(false);
  timAnsPoint->setEnabled(true);

  // The blink: an even number of XOR crosshairs leaves the plot unchanged.
  PicMain->DrawWidth = 1;
  PicMain->DrawMode = kXorPen;
  for (int i = 0; i < 10; ++i) {
    MarkTime();
    DrawCrosshair();
    WaitSince(25, true);
    MarkTime();
    DrawCrosshair();
    WaitSince(25, true);
  }
  PicMain->DrawMode = kCopyPen;

  // The probe column is white over the marked row only; elsewhere no channel
  // of the answer strip exceeds 224.
  const Color c = PicMain->Point(PicMain->Width() - 90, st.m.PointY);
  st.AnswerHit = (c >= 0 && (redOf(c) > 224 || greenOf(c) > 224 || blueOf(c) > 224)) ? 1 : 0;

  ShowZoom();
  if (st.StageMenuUnlocked == 1) Stage_UrawazaTitle->setEnabled(true);
  if (st.AnswerHit == 1)
    VerdictCorrect();
  else
    VerdictMiss();
}

void Form::DarkenVerdictPanel() {
  PicMain->DrawMode = kMaskPen;
  PicMain->BoxFilled(0.22 * PicMain->Width(), 0.41 * st.geo.PlotBottom, 0.78 * PicMain->Width(),
                     0.6 * st.geo.PlotBottom, rgb(63, 63, 127));
  PicMain->DrawMode = kCopyPen;
}

void Form::VerdictCorrect() {
  const PlotGeometry& g = st.geo;
  Labelmsg->setCaption(tr("正解！"));
  Labelmsg->setLeft(CmdAns->Left() - Labelmsg->Width() - 150);
  Labelmsg->setVisible(true);
  timCorrect->setEnabled(true);
  PlayEffect(1, 1, 0);

  const int32_t s0 = st.Score;
  const int32_t d = std::abs(st.PressColumn - st.AnsColumn);
  const int32_t n = d * g.ColumnWidth;
  const double x0 = static_cast<double>(st.PressColumn) * g.ColumnWidth + 30;
  const bool early = st.PressColumn <= st.AnsColumn;
  const int step = early ? 1 : -1;
  const int32_t delta = early ? st.ScalePoints : -2 * st.ScalePoints;
  const int intensity = early ? 255 : 128;

  // The sweep paints the columns between the press line and the answer line
  // and counts the score one column at a time.
  MarkTime();
  for (int32_t k = 1; k <= n; ++k) {
    const double x = x0 + step * k;
    const SweepColor sc = SweepColorAt(intensity, k, n);
    PicMain->DrawMode = kCopyPen;
    PicMain->DrawWidth = 1;
    PicMain->Line(x, 0, x, g.PlotBottom, rgb(sc.red, 0, sc.blue));
    if (k % g.ColumnWidth == 0) {
      st.Score += delta;
      ShowScore();
      plat.processEvents();
      WaitSince(k / 4, true);
    }
  }

  DarkenVerdictPanel();
  SetTextStyle(14, false, rgb(255, 255, 0), kCopyPen);
  PrintCentered(ClearText(st.StageNo), 0.45);
  SetTextStyle(12, true, rgb(255, 255, 0), kCopyPen);
  PrintCentered(ScoreLineText(d * sgn(delta), std::abs(delta), st.Score - s0), 0.52);

  if (st.Score < 0 || st.StageNo > 15) {
    StartGameOver();
    return;
  }
  if (st.StageNo == 15) {
    StartEnding();
    return;
  }
  st.StageNo = static_cast<int16_t>(st.StageNo + 1);
  st.RetryFlag = 0;
  CmdAns->setCaption(QStringLiteral("NEXT STAGE"));
  CmdAns->setEnabled(true);
  Restart->setEnabled(true);
  st.GameMode = 1;
}

void Form::VerdictMiss() {
  Labelmsg->setCaption(QStringLiteral("MISS"));
  Labelmsg->setForeColor(rgb(0, 0, 0));
  Labelmsg->setBackColor(rgb(128, 128, 128));
  Labelmsg->setVisible(true);
  Labelmsg->setLeft(CmdAns->Left() - Labelmsg->Width() - 150);
  DarkenVerdictPanel();
  SetTextStyle(14, false, rgb(255, 255, 0), kCopyPen);
  PrintCentered(QStringLiteral("INCORRECT ANSWER"), 0.45);
  SetTextStyle(12, true, rgb(255, 255, 0), kCopyPen);
  PrintCentered(QStringLiteral("-") + QString::number(st.MissPenalty), 0.52);
  PicMain->Refresh();
  // The whole program waits for the sound to end.
  PlayEffect(2, 0, 0);
  st.MissCount = static_cast<int16_t>(st.MissCount + 1);
  st.Score -= st.MissPenalty;
  ShowScore();
  st.RetryFlag = -1;
  if (st.Score < 0) {
    StartGameOver();
    return;
  }
  CmdAns->setCaption(QStringLiteral("RETRY!"));
  CmdAns->setEnabled(true);
  Restart->setEnabled(true);
  st.GameMode = 1;
}

namespace {
// The full-width form of an ASCII letter or sign.
QString fullWidth(const QString& s) {
  QString out;
  for (QChar ch : s)
    out += (ch.unicode() > 0x20 && ch.unicode() < 0x7F) ? QChar(ch.unicode() + 0xFEE0) : ch;
  return out;
}
}  // namespace

void Form::StartEnding() {
  Restart->setEnabled(false);
  EnablePauseMenus(false);
  timAnsPoint->setEnabled(false);
  labGameover[0]->setVisible(false);
  labGameover[1]->setVisible(false);
  picKakudai->setVisible(false);
  const double y = static_cast<double>(clng(formHeight()) / 6 + 60);
  LinEnding->setLine(LinEnding->X1(), y, LinEnding->X2(), y);
  st.EndingTicks = 0;
  PicMain->DrawMode = kMergePen;
  StartFlyingLetters();
  timEnding->setEnabled(true);
  st.FinalRank = RankRule(st.Score, st.MissCount);
  LabelRank->setCaption(fullWidth(RankLetter(st.FinalRank)));
}

}  // namespace kv
