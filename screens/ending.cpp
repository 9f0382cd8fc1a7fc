// The ending after stage 15: the plot is washed white and squeezed flat
// while "Congraturations!" flies in letter by letter; then a line under the
// word, "Your rank :", the rank letter fading in, the farewell, and the
// ranking.
#include <algorithm>

#include "app/form.h"

namespace kv {

namespace {

const QString kWord = QStringLiteral("Congraturations!");
constexpr int kLetters = 16;
constexpr int kFlightTicks = 25;  // ticks from the bottom to the row near the top
constexpr int kLetterDelay = 5;   // ticks between the starts of two letters
constexpr int kLastFryTick = kLetterDelay * kLetters + 59;
constexpr double kStartPoints = 340;

}  // namespace

void Form::StartFlyingLetters() {
  st.FryTicks = 0;
  for (int i = 0; i < kLetters; ++i) {
    Label& l = *LabFry[i];
    l.setCaption(kWord.mid(i, 1));
    // The label takes the size of the largest glyph once; later sizes change
    // only the glyph.
    l.setAutoSize(true);
    l.setFontSize(kStartPoints);
    l.setAutoSize(false);
    l.setTop(2 * formHeight());
    l.setVisible(true);
  }
  timFryLetters->setEnabled(true);
}

void Form::timFryLetters_Timer() {
  const int32_t wf = static_cast<int32_t>(clng(formWidth()));
  const int32_t hf = static_cast<int32_t>(clng(formHeight()));
  const int32_t x0 = wf / 2 - (342 * st.geo.TwipsPerPixelX) / 2;
  const double y0 = static_cast<double>(clng(0.9 * hf));
  const double y1 = static_cast<double>(clng(0.1 * hf));
  st.FryTicks = static_cast<int16_t>(st.FryTicks + 1);
  const int t = st.FryTicks;
  for (int i = 0; i < kLetters; ++i) {
    const int d = t - kLetterDelay * i;
    Label& l = *LabFry[i];
    if (d >= 1 && d <= kFlightTicks) {
      const int32_t x1 = ((wf - 2760) / 16) * i + 1380;
      l.Move(static_cast<double>(clng(x0 + static_cast<double>(x1 - x0) / kFlightTicks * d)),
             static_cast<double>(clng(y0 + (y1 - y0) / kFlightTicks * d)), l.Width(), l.Height());
      l.setFontSize(342 - (d * d) / 2);
    } else if (d >= 26 && d <= 58) {
      // 256 reads as RGB(0,1,0); then reds from 248 down to black.
      l.setForeColor(256 - 8 * (d - 26));
    }
  }
  if (t == kLastFryTick) timFryLetters->setEnabled(false);
}

void Form::timEnding_Timer() {
  if (PicMain->Visible()) {
    // Phase 1: red, then green, then blue are merged in bit by bit until the
    // plot is white, while it flattens towards its middle line.
    st.EndingTicks = static_cast<int16_t>(st.EndingTicks + 1);
    const int n = st.EndingTicks;
    if (n <= 24) PicMain->BoxFilled(0, 0, PicMain->Width(), PicMain->Height(), (1 << n) - 1);
    if (PicMain->Height() < 100) {
      PicMain->setVisible(false);
      st.EndingTicks = 0;
    } else {
      PicMain->Move(PicMain->Left(), PicMain->Top() + 50, PicMain->Width(),
                    PicMain->Height() - 100);
    }
    return;
  }
  // Phase 2 waits for the letters to land and flash.
  if (timFryLetters->enabled()) return;
  st.EndingTicks = static_cast<int16_t>(st.EndingTicks + 1);
  const int n = st.EndingTicks;
  timCorrect->setEnabled(false);
  Labelmsg->setVisible(false);
  if (n <= 12) {
    const double wf = static_cast<double>(clng(formWidth()));
    const double l = LabFry[0]->Left();
    LinEnding->setLine(l, LinEnding->Y1(), l + (wf - 2 * l) * n / 12, LinEnding->Y2());
    LinEnding->setVisible(true);
  }
  if (n == 25) Labelyr->setVisible(true);
  if (n >= 71 && n <= 80) {
    const double c = n - 70;
    const Color k = st.RankColors[static_cast<size_t>(std::clamp<int>(st.FinalRank, 0, 8))];
    auto fade = [c](int comp) { return static_cast<int>(clng(255 - (c / 10) * (255 - comp))); };
    LabelRank->setForeColor(rgb(fade(redOf(k)), fade(greenOf(k)), fade(blueOf(k))));
    if (n == 71) LabelRank->setVisible(true);
  }
  if (n == 150) LabelEbye->setVisible(true);
  if (n == 300) {
    timEnding->setEnabled(false);
    for (int i = 0; i < kLetters; ++i) LabFry[i]->setVisible(false);
    LinEnding->setVisible(false);
    Labelyr->setVisible(false);
    LabelRank->setVisible(false);
    LabelEbye->setVisible(false);
    EnterRanking();
  }
}

}  // namespace kv
