// Timer-driven feedback around an answer: the flickering verdict label, the
// sparkling final point, the pulsing miss penalty, the blinking caution line,
// the animated prompt and its hidden click counter.
#include <algorithm>

#include "app/form.h"

namespace kv {

namespace {
// A random channel 128 + 128 r or 128 r, with 256 shown as 255.
int channel(double base, float r) {
  return static_cast<int>(std::min<int64_t>(clng(base + 128.0 * r), 255));
}
}  // namespace

void Form::timCorrect_Timer() {
  Random& rnd = plat.random();
  const float r1 = rnd(), r2 = rnd(), r3 = rnd();
  Labelmsg->setBackColor(rgb(channel(128, r1), channel(128, r2), channel(128, r3)));
  const float r4 = rnd(), r5 = rnd(), r6 = rnd();
  Labelmsg->setForeColor(rgb(channel(0, r4), channel(0, r5), channel(0, r6)));
}

void Form::timAnsPoint_Timer() {
  Random& rnd = plat.random();
  const float r1 = rnd(), r2 = rnd(), r3 = rnd();
  PicMain->PSet(st.m.PointX, st.m.PointY,
                rgb(channel(128, r1), channel(128, r2), channel(128, r3)));
}

void Form::timMissFrash_Timer() {
  st.MissFlashCount = static_cast<int16_t>((st.MissFlashCount + 1) % 8);
  const int v = (32 * st.MissFlashCount) % 256;
  Label1miss->setForeColor(rgb(v, v, 0));
}

void Form::timCaution_Timer() {
  st.CautionFlashCount = static_cast<int16_t>(st.CautionFlashCount + 1);
  const int c = (st.CautionFlashCount % 2 == 1) ? 255 : 96;
  PicMain->LineStep(static_cast<double>(st.CautionColumn) * st.geo.ColumnWidth + 30, PicMain->Top(),
                    0, st.geo.PlotBottom, rgb(c, c, 96));
  if (st.CautionFlashCount >= 25) timCaution->setEnabled(false);
}

void Form::timLabelAns_Timer() {
  const int t = st.AnsPromptTick + 1;
  st.AnsPromptTick = static_cast<int16_t>(t);
  const int typing = std::min<int>(static_cast<int>(AnswerPrompt(0).size()), 25);
  if (t <= typing)
    LabelAns[0]->setCaption(AnswerPrompt(t));
  else if (t >= 26 && t <= 36)
    LabelAns[0]->setCaption(QStringLiteral("Where???"));
  else if (t >= 37)
    st.AnsPromptTick = 0;
  for (size_t i = 1; i < LabelAns.size(); ++i) LabelAns[i]->setCaption(LabelAns[0]->Caption());
}

void Form::LabelAns_Click() {
  st.AnsPromptClicks = static_cast<int16_t>(st.AnsPromptClicks + 1);
  if (st.AnsPromptClicks == 15) {
    st.StageMenuUnlocked = 1;
    Stage_UrawazaTitle->setVisible(true);
    PlayEffect(8, 1, 0);
  }
}

}  // namespace kv
