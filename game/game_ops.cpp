// Shared operations on the game state: the new-game reset, the colour flags,
// the score display, the blank board, the pause menus, sound effects.
#include "app/form.h"
#include "game/stage_catalogue.h"

namespace kv {

void Form::ResetGame() {
  st.CautionCount = 0;
  st.MissCount = 0;
  st.Score = 500;
  st.RetryFlag = 0;
  st.StageNo = st.TitleDblClicks < 10 ? 1 : 16;
  for (auto& it : StageSelect) it->setEnabled(true);
  HighScore->setEnabled(false);
  for (Timer* t :
       {timAnsPoint.get(), timCaution.get(), timCorrect.get(), timEnding.get(), timGameover.get(),
        timMissFrash.get(), timPauseFlash.get(), timLabelAns.get(), timInputName.get()})
    t->setEnabled(false);
  if (CmdPause->Visible()) PauseOff();
  st.TitleShown = 0;
  ClearBoard();
  EnablePauseMenus(true);
  picHS->setVisible(false);
  PicMain->setVisible(true);
}

void Form::SetColorFlags(int16_t n) {
  st.ColorR = (n == 0 || n == 3) ? 1 : 0;
  st.ColorG = (n == 1 || n == 3) ? 1 : 0;
  st.ColorB = (n == 2) ? 1 : 0;
}

void Form::ShowScore() { LabelScore->setCaption(QStringLiteral("SCORE ") + numText(st.Score)); }

void Form::ClearBoard() {
  FinishStartUp();
  picKakudai->setVisible(false);
  PicMain->SetPicture(PicWork->image());
}

void Form::EnablePauseMenus(bool on) {
  Pause->setEnabled(on);
  mnuPopupPause->setEnabled(on);
}

void Form::StartGameOver() {
  st.FinalRank = 1;
  labGameover[0]->setVisible(true);
  labGameover[1]->setVisible(true);
  picKakudai->setVisible(false);
  timGameover->setEnabled(true);
  timAnsPoint->setEnabled(false);
  Stage_UrawazaTitle->setEnabled(false);
}

void Form::PlayEffect(int16_t soundNumber, int16_t async, int16_t noStop) {
  if (mod().opt.OptSoundEffect != 0 || !Snd) return;
  Snd->PlayAsync(soundNumber, 0, async, noStop);
}

}  // namespace kv
