// The high-score screen: the table on picHS in place of the plot, the way
// back to the title, and clearing the table.
#include "app/form.h"

namespace kv {

void Form::DrawRankingTable() {
  FinishStartUp();
  st.TitleShown = 0;
  PicMain->setVisible(false);
  picHS->setVisible(true);
  EnablePauseMenus(false);
  for (int i = 0; i < 10; ++i) {
    labHS[i]->setForeColor(rgb(255, 255, 0));
    labHS[i]->setCaption(FormatRankingLine(mod().hs.e[i]));
  }
}

void Form::ShowHighScores() {
  FinishStartUp();
  for (auto& l : labChr) l->setForeColor(rgb(64, 64, 64));
  DrawRankingTable();
  CmdAns->setCaption(tr("タイトルへ..."));
  CmdAns->setEnabled(true);
  st.GameMode = 6;
}

void Form::mnuClearHighScore_Click() {
  if (!plat.askYesNo(tr("ハイスコアを初期化してもよろしいですか？"), MsgIcon::Question,
                     QStringLiteral("qelmira")))
    return;
  // The question runs its own event loop while the game's timers tick on: the
  // end of an ending may have started a name entry meanwhile, which disables
  // this item. The new entry keeps its place; nothing is cleared.
  if (!mnuClearHighScore->Enabled()) return;
  ClearRanking(mod().hs);
  if (picHS->Visible()) ShowHighScores();
}

}  // namespace kv
