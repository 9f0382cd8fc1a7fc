// The pause: a pulsing "PAUSE" with a resume button; waits and frames do not
// count the paused time.
#include "app/form.h"

namespace kv {

void Form::PauseOn() {
  if (LabPause->Visible()) return;
  if (st.Score < 0) return;
  if (timEnding->enabled()) return;
  if (st.Frozen == 1) return;
  if (!PicMain->Visible()) return;
  if (st.GameMode == 0) return;
  LabPause->setVisible(true);
  CmdPause->setVisible(true);
  CmdPause->setFocus();
  st.AnsEnabledBeforePause = CmdAns->Enabled() ? -1 : 0;
  CmdAns->setEnabled(false);
  timPauseFlash->setEnabled(true);
  Pause->setCaption(tr("ポーズ解除"));
  mnuPopupPause->setCaption(tr("ポーズ解除"));
  PlayEffect(9, 1, 0);
  st.Paused = -1;
}

void Form::PauseOff() {
  LabPause->setVisible(false);
  CmdPause->setVisible(false);
  CmdAns->setEnabled(st.AnsEnabledBeforePause != 0);
  timPauseFlash->setEnabled(false);
  Pause->setCaption(tr("ポーズ"));
  mnuPopupPause->setCaption(tr("ポーズ"));
  st.Paused = 0;
}

void Form::Pause_Click() {
  if (LabPause->Visible())
    PauseOff();
  else
    PauseOn();
}

void Form::timPauseFlash_Timer() {
  st.PauseFlashPhase = static_cast<int16_t>(1 - st.PauseFlashPhase);
  LabPause->setFontSize(48 + 2 * st.PauseFlashPhase);
}

}  // namespace kv
