// The name of a new high score: typed into the box over the new line or
// picked from the 32 letter keys; "OK" stores it.
#include <cstdlib>

#include "app/form.h"

namespace kv {

namespace {

constexpr int kBackSpace = 31;

// One colour channel of the letter wave: a triangle over 512 steps.
int wave(int64_t b) { return std::min(255, static_cast<int>(std::llabs(b % 512 - 256))); }

// Leading and trailing blanks go; other white space stays, as typed.
QString trimBlanks(const QString& s) {
  qsizetype a = 0, b = s.size();
  while (a < b && s.at(a) == QLatin1Char(' ')) ++a;
  while (b > a && s.at(b - 1) == QLatin1Char(' ')) --b;
  return s.mid(a, b - a);
}

}  // namespace

void Form::StartNameEntry() {
  const PlotGeometry& g = st.geo;
  DrawRankingTable();
  txtName->Move(0.2 * g.PlotRight - 2 * g.TwipsPerPixelX,
                (st.RankPos / 22.0 + 0.45) * g.MainHeight - 2 * g.TwipsPerPixelY, txtName->Width(),
                txtName->Height());
  txtName->setText(mod().RecentName);
  txtName->setVisible(true);
  txtName->edit()->setFocus(Qt::OtherFocusReason);
  st.HotLetter = -1;
  timInputName->setEnabled(true);
  mnuClearHighScore->setEnabled(false);
  CmdAns->setCaption(QStringLiteral("OK"));
  CmdAns->setEnabled(true);
  st.GameMode = 5;
  PlayEffect(10, 1, 0);
}

void Form::EndNameEntry() {
  timInputName->setEnabled(false);
  txtName->setText(trimBlanks(txtName->Text()));
  QString typed = txtName->Text();
  Module1& m = mod();
  m.RecentName = NormalizeName(typed);
  if (st.RankPos >= 0 && st.RankPos < 10) m.hs.e[st.RankPos].Name = m.RecentName;
  txtName->setVisible(false);
  CmdAns->setFocus();
  mnuClearHighScore->setEnabled(true);
  ShowHighScores();
  if (st.FinalRank == 2)
    plat.messageBox(tr("「解答してください！」の文字を15回クリック！"), MsgIcon::Information,
                    tr("Ｚランク　おめでとう！"));
  else if (st.FinalRank == 8)
    plat.messageBox(tr("実はＥランクの下に、Ｚランクが存在するという・・・"), MsgIcon::Question,
                    tr("Ｓランク　おめでとう！"));
}

void Form::UnhighlightLetter() {
  if (st.HotLetter < 0) return;
  labChr[st.HotLetter]->setForeColor(rgb(0, 0, 0));
  st.HotLetter = -1;
}

void Form::labChr_MouseMove(int k) {
  if (st.GameMode != 5) return;
  UnhighlightLetter();
  st.HotLetter = static_cast<int16_t>(k);
  labChr[k]->setForeColor(rgb(255, 255, 255));
}

// The click acts on the letter under the pointer. No length check: clicks
// can make the name longer than typing allows; it is then stored as "?".
void Form::labChr_Click() {
  if (st.GameMode != 5) return;
  if (st.HotLetter >= 0 && st.HotLetter < kBackSpace) {
    txtName->setText(txtName->Text() + labChr[st.HotLetter]->Caption());
  } else if (st.HotLetter == kBackSpace) {
    QString t = txtName->Text();
    if (!t.isEmpty()) {
      t.chop(t.size() >= 2 && t.back().isLowSurrogate() ? 2 : 1);
      txtName->setText(t);
    }
  }
}

void Form::timInputName_Timer() {
  st.NameFlashTicks = static_cast<int32_t>(static_cast<uint32_t>(st.NameFlashTicks) + 1u);
  const int64_t n = st.NameFlashTicks;
  for (int k = 0; k < 32; ++k) {
    if (k == st.HotLetter) continue;
    const int64_t b = (k % 16) * 24 + 20 * n;
    labChr[k]->setForeColor(rgb(wave(b), wave(b + 170), wave(b + 340)));
  }
  if (st.RankPos >= 0 && st.RankPos < 10)
    labHS[st.RankPos]->setForeColor(rgb(255, wave(64 * n), 0));
}

}  // namespace kv
