// The title screen and the ways of starting a game from it.
#include "app/form.h"

namespace kv {

void Form::ShowTitle() {
  PicMain->SetPicture(titleImage);
  PicMain->Move(st.geo.MainLeft, st.geo.MainTop, st.geo.MainWidth, st.geo.MainHeight);
  Pause->setEnabled(false);
  mnuPopupPause->setEnabled(false);
  Restart->setEnabled(true);
  HighScore->setEnabled(true);
  picHS->setVisible(false);
  PicMain->setVisible(true);
  CmdAns->setCaption(QStringLiteral("START !!"));
  CmdAns->setEnabled(true);
  st.TitleShown = -1;
  st.TitleDblClicks = 0;
  st.GameMode = 0;
}

void Form::Restart_Click() {
  st.GameMode = 0;
  CmdAns->click();
}

void Form::menuStageSelect(int index) {
  CmdAns->setCaption(StageSelect[index]->Caption());
  st.StageNo = static_cast<int16_t>(index + 1);
  st.RetryFlag = 0;
  PlayEffect(5, 1, 0);
}

void Form::PicMain_DblClick() {
  if (st.TitleShown == 0) return;
  st.TitleDblClicks = static_cast<int16_t>(st.TitleDblClicks + 1);
  if (st.TitleDblClicks == 10) {
    PlayEffect(1, 1, 0);
    LabelSt->setToolTipText(tr("裏面だ！！　イエー！！"));
  }
}

}  // namespace kv
