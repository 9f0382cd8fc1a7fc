#pragma once
// The game's one window: its controls, menus and timers as designed, the
// game-state record it owns, and the operations and event handlers of the
// game. The handlers are implemented in the files of their subsystems.
#include <QCoreApplication>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "app/module.h"
#include "game/game_state.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "sound/sound.h"

namespace kv {

class Form;
struct SaveResult;

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(Form& f) : form_(f) {}

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  Form& form_;
};

class Form {
  Q_DECLARE_TR_FUNCTIONS(Form)

 public:
  explicit Form(Platform& p);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Platform& plat;
  GameState st;
  std::unique_ptr<Sound> Snd;

  // ---- window and controls
  std::unique_ptr<MainWindow> win;
  QWidget* client = nullptr;  // the 506 x 404 client area
  // Labels first: pictures and buttons lie in front of them.
  std::unique_ptr<Label> LabelSt, LabelScore, Label1miss, Label1scale, Labelmsg, Labelyr, LabelRank,
      LabelEbye;
  std::vector<std::unique_ptr<Label>> LabelAns, labGameover, LabFry;
  std::unique_ptr<LineCtl> LinEnding;
  std::unique_ptr<Picture> PicMain, picHS, PicWork, picKakudai, PicAns;
  std::unique_ptr<Button> CmdAns;
  // Inside PicMain.
  std::unique_ptr<Picture> picTitle;
  std::unique_ptr<Button> CmdPause;
  std::unique_ptr<Label> labStageTitle, LabPause;
  // Inside picHS.
  std::unique_ptr<Label> labName, labHSHead;
  std::unique_ptr<LineCtl> linName;
  std::vector<std::unique_ptr<Label>> labHS, labChr;
  std::unique_ptr<TextBox> txtName;

  // ---- menus
  QMenu* mnuGame = nullptr;
  QMenu* mnuStage = nullptr;
  QMenu* mnuOption = nullptr;
  QMenu* mnuHelp = nullptr;
  QMenu* mnuPopupMenu = nullptr;
  std::unique_ptr<MenuItem> GameMenuTitle, Pause, Restart, HighScore, mnuClearHighScore, PrgEnd,
      Stage_UrawazaTitle, OptionTitle, KakudaiPrint, LineWidthChange, CountDown, soundeffect,
      HelpTitle, printhelp, mnuPopup, mnuPopupPause, mnuPopupPrintHelp, mnuLanguage;
  std::vector<std::unique_ptr<MenuItem>> StageSelect, kakudaionoff, linewidth, CountDownSpeed,
      soundeffectonoff, mnuLanguageChoice;

  // ---- timers
  std::unique_ptr<Timer> timCorrect, timGameover, timEnding, timPauseFlash, timCaution,
      timFryLetters, timMissFrash, timAnsPoint, timLabelAns, timInputName;

  // ---- pictures the program ships
  QImage titleImage;
  bool startUpFinished = false;
  QImage ansMarkImage;
  // Where the pictures, sounds and help lie: found once, when the window is built.
  QString dataDir;
  QString helpDir;  // the Japanese pages; other languages in a folder each

  // ---- language
  QString language;  // the code of the language the window speaks ("ja", "en")
  // Speaks the language of the option (or the desktop's) at once, everywhere.
  void ApplyLanguage();
  void mnuLanguageChoice_Click(int index);
  // The answer prompt as it reads at `tick` of its typing.
  QString AnswerPrompt(int tick) const;

  // ---- start-up and shutdown
  void Load();
  void ShutDown();
  // Tells the player, once per run, that the settings could not be saved.
  void ReportSaveFailure(const SaveResult& r);
  void printhelp_Click();
  void createStageSelectItem(int index, const QString& caption);
  void menuStageSelect(int index);
  double formLeft() const;
  double formTop() const;
  double formWidth() const;
  double formHeight() const;
  void moveForm(double left, double top);

  // ---- shared operations of the game state
  void ResetGame();
  void SetColorFlags(int16_t n);
  void ShowScore();
  void ClearBoard();
  void EnablePauseMenus(bool on);
  void StartGameOver();
  void PlayEffect(int16_t soundNumber, int16_t async, int16_t noStop);

  // ---- waits
  void MarkTime();
  void WaitSince(int32_t ms, bool withEvents);
  [[noreturn]] void EndNow();

  // ---- plot drawing
  void SetTextStyle(int16_t size, bool bold, Color colour, int16_t drawMode);
  void MoveTextCursor(int32_t x, int32_t y);
  void PrintCentered(const QString& text, double fraction);
  void DrawStageBoard();
  void DrawPressMarks();
  void DrawFlash();
  void FinishStartUp();
  void buildNameBox();
  void dressWindow();
  void PaintBlankBoard();
  void PaintHighScoreBackground();
  void DrawGrid(Picture& pic);

  // ---- stage flow
  void CmdAns_Click();
  void StartStage();
  void SlideAwayVerdict();
  void CountDown_();
  void PressAnswer();
  void RunMotion();

  // ---- verdict
  void JudgeAnswer();
  void DrawCrosshair();
  void VerdictCorrect();
  void VerdictMiss();
  void StartEnding();
  void DarkenVerdictPanel();
  void ShowZoom();

  // ---- answer marking
  void PicMain_MouseMove(Qt::MouseButtons buttons, double x, double y);
  void PicMain_MouseDown(Qt::MouseButton button, double x, double y);
  void PicAns_MouseDown(Qt::MouseButton button);
  void Form_KeyDown(int key);
  void PlaceMarker();
  void MarkAnswer();

  // ---- feedback effects
  void timCorrect_Timer();
  void timAnsPoint_Timer();
  void timMissFrash_Timer();
  void timCaution_Timer();
  void timLabelAns_Timer();
  void LabelAns_Click();

  // ---- title, pause
  void ShowTitle();
  void Restart_Click();
  void PicMain_DblClick();
  void PauseOn();
  void PauseOff();
  void Pause_Click();
  void timPauseFlash_Timer();

  void showPopupMenu();

  // ---- game over and the ending
  void timGameover_Timer();
  void StartFlyingLetters();
  void timFryLetters_Timer();
  void timEnding_Timer();

  // ---- ranking, name entry, high-score screen
  void EnterRanking();
  void StartNameEntry();
  void EndNameEntry();
  void UnhighlightLetter();
  void labChr_MouseMove(int k);
  void labChr_Click();
  void timInputName_Timer();
  void DrawRankingTable();
  void ShowHighScores();
  void mnuClearHighScore_Click();

  // ---- options
  void applyTicks(const OptionTicks& t);
  OptionTicks readTicks() const;

  // Observation point for measurements: called at the start of every frame
  // of a run, right after the frame's start time is read. Unset in the game.
  std::function<void()> onFrameStart;

 private:
  void buildWindow();
  void buildMenus();
  void buildTimers();
  // Sets every text a player reads in the language now installed; texts
  // that change with the game are carried over from language `from`.
  void retext(const QString& from);
  // The answer marker asks in the language spoken, where it has a picture.
  void loadAnswerMarker();
};

}  // namespace kv
