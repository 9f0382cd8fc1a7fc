// The window as designed: every control in its place with its text, colours
// and font, the menu tree and the ten timers.
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QResource>
#include <cstdio>

#include "app/fixed_size.h"
#include "app/form.h"
#include "app/language.h"
#include "app/locations.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/vbnum.h"

namespace kv {

namespace {

const Color kSysButtonFace = rgb(192, 192, 192);
const Color kSysScrollBar = rgb(192, 192, 192);
const Color kWhite = rgb(255, 255, 255);

// The title picture is built into the program as bare pixels, 500 x 350
// words 0xffRRGGBB in the machine's byte order, stored uncompressed: it is
// shown straight from the program's memory with nothing to decode. (A
// compressed picture of this much fine detail took longer to decode than
// the rest of the window took to build.)
QImage TitlePicture() {
  constexpr int kW = 500, kH = 350;
  const QResource raw(QStringLiteral(":/korvane/title.rgb32"));
  if (raw.size() != qint64{kW} * kH * 4 || raw.compressionAlgorithm() != QResource::NoCompression)
    return {};
  return QImage(raw.data(), kW, kH, kW * 4, QImage::Format_RGB32);
}

std::unique_ptr<Label> makeLabel(QWidget* parent, const QString& caption, int x, int y, int w,
                                 int h, bool visible, const QString& face, double pt,
                                 bool bold = false, bool italic = false, bool opaque = false,
                                 bool autoSize = false, bool centered = false) {
  auto l = std::make_unique<Label>(parent);
  l->setFont(face, pt, bold, italic);
  l->setOpaque(opaque);
  l->setBackColor(kSysButtonFace);
  l->setCentered(centered);
  l->placePx(x, y, w, h);
  l->setCaption(caption);
  l->setAutoSize(autoSize);
  l->setVisible(visible);
  return l;
}

std::unique_ptr<Picture> makePicture(QWidget* parent, int x, int y, int w, int h, bool visible) {
  auto p = std::make_unique<Picture>(parent);
  p->placePx(x, y, w, h);
  p->setBackColor(kWhite);
  p->setVisible(visible);
  return p;
}

}  // namespace

void MainWindow::closeEvent(QCloseEvent* e) {
  // The close is never refused: the settings are saved and any running wait
  // loop ends the program when control returns to it.
  form_.ShutDown();
  e->accept();
  QMainWindow::closeEvent(e);
}

// The window sees every key press before the control that has the focus.
bool MainWindow::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && w->window() == this) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      const bool marking = form_.st.Frozen == 1;
      if (key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down ||
          ((key == Qt::Key_Return || key == Qt::Key_Enter) && marking)) {
        form_.Form_KeyDown(key);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(o, e);
}

Form::Form(Platform& p) : plat(p), language(InstalledLanguage()) {
  buildWindow();
  buildMenus();
  buildTimers();
  ApplyLanguage();
}

Form::~Form() {
  if (win) qApp->removeEventFilter(win.get());
  // Timers and controls go before the window that owns their widgets.
  timCorrect.reset();
  timGameover.reset();
  timEnding.reset();
  timPauseFlash.reset();
  timCaution.reset();
  timFryLetters.reset();
  timMissFrash.reset();
  timAnsPoint.reset();
  timLabelAns.reset();
  timInputName.reset();
}

void Form::buildWindow() {
  // Sounds and help are files beside the program, and their absence no
  // error; but a program that finds none of its data folders says where it
  // looked (below). The pictures are built in.
  dataDir = FindDataDir(plat.programDir());
  win = std::make_unique<MainWindow>(*this);
  win->setWindowTitle(QStringLiteral("KORVANE for Win Ver1.92"));
  // A fixed window: no maximising.
  win->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  client = new QWidget;
  client->setFixedSize(506, 404);
  client->setAutoFillBackground(true);
  QPalette pal = client->palette();
  pal.setColor(QPalette::Window, QColor(128, 128, 255));
  client->setPalette(pal);
  client->setFont(makeFont(kPGothic, 12));
  win->setCentralWidget(client);
  KeepFixedSize(win.get());
  qApp->installEventFilter(win.get());

  if (const QString notice = MissingDataNotice(plat.programDir()); !notice.isEmpty())
    std::fprintf(stderr, "%s\n", qPrintable(notice));

  // Labels and lines of the window.
  LabelSt = makeLabel(client, QStringLiteral("STAGE 0"), 8, 360, 57, 41, true, kPGothic, 12);
  LabelScore = makeLabel(client, QStringLiteral("SCORE  0"), 72, 360, 57, 33, true, kPGothic, 12);
  // Texts a player reads in words are set by retext(), in the language spoken.
  Label1miss =
      makeLabel(client, tr("1ﾐｽ減点  ") + numText(0), 136, 360, 73, 33, true, kPGothic, 12);
  Label1scale =
      makeLabel(client, tr("1目盛り ") + numText(0), 208, 360, 57, 33, true, kPGothic, 12);
  LabelAns.push_back(makeLabel(client, tr("解答して下さい！"), 288, 368, 195, 23, false, kGothic,
                               17.25, true, false, false, true, true));
  LabelAns[0]->setForeColor(rgb(192, 192, 255));
  Labelmsg = makeLabel(client, QStringLiteral("0"), 344, 360, 65, 41, false, kMincho, 27.75, true,
                       false, true, false, true);
  // "GAME OVER" lies under the plot until a game is lost; it is shown only
  // then (as after an ending), so the start need not measure it in its font.
  for (int i = 0; i < 2; ++i) {
    labGameover.push_back(makeLabel(client, QStringLiteral("GAME OVER"), 144 + 4 * i, 148 + 4 * i,
                                    210, 35, false, kPMincho, 26.25, true, true, false, true));
  }
  labGameover[1]->setForeColor(kWhite);
  LabFry.push_back(makeLabel(client, QStringLiteral("*"), 64, 384, 8, 16, false, kMincho, 12, false,
                             true, false, true));
  Labelyr = makeLabel(client, QStringLiteral("Your rank :"), 208, 124, 105, 25, false, kPMincho,
                      14.25, true, false, true);
  LabelRank = makeLabel(client, QStringLiteral("Ｚ"), 208, 136, 101, 97, false, kGothic, 72, true,
                        false, true);
  LabelRank->setForeColor(rgb(255, 0, 255));
  LabelEbye = makeLabel(client, QStringLiteral("　See You Again!            2002 KORVANE"), 152,
                        260, 273, 65, false, kPMincho, 20.25, false, true, true);
  LinEnding = std::make_unique<LineCtl>(client);
  LinEnding->setBorder(8, kSysScrollBar);
  LinEnding->setLine(0, 400 * 15, 24 * 15, 400 * 15);
  LinEnding->setVisible(false);

  // Pictures and buttons, in front of the labels.
  PicMain = makePicture(client, 144, 40, 504, 354, true);
  PicMain->setFont(kGothic, 12);
  PicWork = makePicture(client, 328, 308, 81, 33, false);
  picHS = makePicture(client, 192, 4, 305, 97, false);
  picKakudai = makePicture(client, 8, 172, 161, 161, false);
  PicAns = makePicture(client, 416, 264, 80, 80, false);
  CmdAns = std::make_unique<Button>(client);
  CmdAns->placePx(400, 360, 105, 41);
  CmdAns->setCaption(QStringLiteral("START !!"));

  // Inside PicMain.
  QWidget* pm = PicMain->widget();
  picTitle = makePicture(pm, 184, 80, 504, 354, false);
  labStageTitle = makeLabel(pm, QStringLiteral("STAGE TITLE"), 50, 32, 132, 24, false, kMincho, 18,
                            false, true, false, true, true);
  LabPause = makeLabel(pm, QStringLiteral("PAUSE"), 152, 124, 203, 64, false, kPGothic, 48, true,
                       false, false, true);
  LabPause->setForeColor(rgb(255, 192, 128));
  CmdPause = std::make_unique<Button>(pm);
  CmdPause->placePx(224, 192, 65, 33);
  CmdPause->setFont(kPGothic, 9.75);
  CmdPause->setVisible(false);

  // Inside picHS.
  QWidget* hs = picHS->widget();
  labName = makeLabel(hs, QStringLiteral("R A N K I N G :"), 4, 4, 236, 35, true, kPMincho, 26.25,
                      false, true, false, true);
  linName = std::make_unique<LineCtl>(hs);
  linName->setBorder(12, rgb(224, 224, 224));
  linName->setLine(272 * 15, 32 * 15, 0, 32 * 15);
  // The heading in front: the bar underlines it rather than hiding its foot.
  labName->ZOrderFront();
  labHSHead = makeLabel(hs, QStringLiteral("Label1"), 4, 48, 42, 13, true, kGothic, 9.75, false,
                        false, false, true);
  labHSHead->setForeColor(rgb(255, 255, 0));
  labHS.push_back(makeLabel(hs, QStringLiteral("Label1"), 4, 68, 42, 13, true, kGothic, 9.75, false,
                            false, false, true));
  labHS[0]->setForeColor(rgb(255, 255, 0));
  labChr.push_back(makeLabel(hs, QStringLiteral("A"), 140, 48, 16, 27, true, kGothic, 20.25, true,
                             false, false, true));

  // Event wiring.
  CmdAns->onClick = [this] { CmdAns_Click(); };
  // The main button holds the keyboard whenever it can be pressed, so Space
  // and Enter play a whole game; only the name box keeps the keys while a
  // name is typed.
  CmdAns->onUsable = [this] {
    if (!txtName || !txtName->Visible()) CmdAns->setFocus();
  };
  CmdAns->setFocus();
  CmdPause->onClick = [this] { PauseOff(); };
  PicMain->onMouseMove = [this](Qt::MouseButtons b, double x, double y) {
    PicMain_MouseMove(b, x, y);
  };
  PicMain->onMouseDown = [this](Qt::MouseButton b, double x, double y) {
    PicMain_MouseDown(b, x, y);
  };
  PicMain->onDblClick = [this] { PicMain_DblClick(); };
  PicAns->onMouseDown = [this](Qt::MouseButton b, double, double) { PicAns_MouseDown(b); };
  LabelAns[0]->onClick = [this] { LabelAns_Click(); };
  picHS->onMouseMove = [this](Qt::MouseButtons, double, double) { UnhighlightLetter(); };
  titleImage = TitlePicture();
}

// The window's icon and the pointer over the answer strip and the buttons,
// set once the title is up: reading the pictures wakes the toolkit's picture
// readers, which the title itself does not need.
void Form::dressWindow() {
  // An icon made from a file name would first look for an icon engine.
  win->setWindowIcon(QIcon(QPixmap(QStringLiteral(":/korvane/icon.png"))));
  const QCursor cursor(QPixmap(QStringLiteral(":/korvane/cursor.png")), 15, 15);
  for (QWidget* w : {PicAns->widget(), CmdAns->widget(), CmdPause->widget()}) w->setCursor(cursor);
}

// The name box of the high-score screen, made with that screen's background
// after the title is up: a line edit lays out its text, in its own font, the
// moment it is made.
void Form::buildNameBox() {
  txtName = std::make_unique<TextBox>(picHS->widget());
  txtName->placePx(60, 48, 69, 17);
  txtName->setText(QStringLiteral("Text1"));
  txtName->setMaxLength(10);
  txtName->setFont(kGothic, 9);
  txtName->setVisible(false);
  txtName->upperCaseTyping = true;
  // A name is kept in code page 932: the box takes only what survives it,
  // so the name the player sees is the one the table and the file keep.
  txtName->fold = FoldName;
  txtName->onChange = [this] { PlayEffect(6, 1, 0); };
  // The main button is the window's default button: Enter in the name box
  // presses it.
  txtName->onEnter = [this] {
    if (CmdAns->Enabled() && CmdAns->Visible()) CmdAns->button()->click();
  };
}

void Form::buildMenus() {
  QMenuBar* bar = win->menuBar();
  bar->setFont(makeFont(kPGothic, 9));
  auto item = [](QAction* a) { return std::make_unique<MenuItem>(a); };
  auto onClick = [](QAction* a, std::function<void()> f) {
    QObject::connect(a, &QAction::triggered, [f = std::move(f)] { f(); });
  };

  // The captions are set by retext(), in the language spoken.
  mnuGame = bar->addMenu(QString());
  GameMenuTitle = item(mnuGame->menuAction());
  Pause = item(mnuGame->addAction(QString()));
  Restart = item(mnuGame->addAction(QString()));
  mnuGame->addSeparator();
  HighScore = item(mnuGame->addAction(QString()));
  mnuClearHighScore = item(mnuGame->addAction(QString()));
  mnuGame->addSeparator();
  PrgEnd = item(mnuGame->addAction(QString()));

  mnuStage = bar->addMenu(QString());
  Stage_UrawazaTitle = item(mnuStage->menuAction());
  Stage_UrawazaTitle->setVisible(false);
  Stage_UrawazaTitle->setEnabled(false);
  createStageSelectItem(0, QStringLiteral("STAGE 1"));

  mnuOption = bar->addMenu(QString());
  OptionTitle = item(mnuOption->menuAction());
  auto submenu = [&](int items, std::vector<std::unique_ptr<MenuItem>>& arr,
                     std::unique_ptr<MenuItem>& parent) {
    QMenu* m = mnuOption->addMenu(QString());
    parent = item(m->menuAction());
    // The items exclude each other, so they show radio marks. The group
    // still lets the program untick all of them (an unknown stored value).
    auto* group = new QActionGroup(m);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (int i = 0; i < items; ++i) {
      arr.push_back(item(group->addAction(m->addAction(QString()))));
      arr.back()->setChecked(arr.size() == 1);
    }
  };
  submenu(2, kakudaionoff, KakudaiPrint);
  submenu(3, linewidth, LineWidthChange);
  submenu(3, CountDownSpeed, CountDown);
  mnuOption->addSeparator();
  submenu(2, soundeffectonoff, soundeffect);
  // The language, last: automatic (the desktop's), Japanese or English.
  mnuOption->addSeparator();
  submenu(3, mnuLanguageChoice, mnuLanguage);

  mnuHelp = bar->addMenu(QString());
  HelpTitle = item(mnuHelp->menuAction());
  printhelp = item(mnuHelp->addAction(QString()));
  printhelp->action()->setShortcut(QKeySequence(Qt::Key_F1));

  // The pop-up menu is never on the bar; it opens at the pointer.
  mnuPopupMenu = new QMenu(win.get());
  mnuPopup = item(mnuPopupMenu->menuAction());
  mnuPopup->setVisible(false);
  mnuPopupPause = item(mnuPopupMenu->addAction(QString()));
  mnuPopupMenu->addSeparator();
  mnuPopupPrintHelp = item(mnuPopupMenu->addAction(QString()));

  onClick(Pause->action(), [this] { Pause_Click(); });
  onClick(mnuPopupPause->action(), [this] { Pause_Click(); });
  onClick(Restart->action(), [this] { Restart_Click(); });
  onClick(HighScore->action(), [this] { ShowHighScores(); });
  onClick(mnuClearHighScore->action(), [this] { mnuClearHighScore_Click(); });
  onClick(printhelp->action(), [this] { printhelp_Click(); });
  onClick(mnuPopupPrintHelp->action(), [this] { printhelp_Click(); });
  onClick(PrgEnd->action(), [this] {
    ShutDown();
    EndNow();
  });
  // Each option item applies its rule to the option and the ticks at once.
  using Rule = void (*)(int, Options&, OptionTicks&);
  auto option = [&](std::vector<std::unique_ptr<MenuItem>>& items, Rule rule) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
      onClick(items[i]->action(), [this, i, rule] {
        OptionTicks t = readTicks();
        rule(i, mod().opt, t);
        applyTicks(t);
      });
  };
  option(kakudaionoff, clickKakudai);
  option(linewidth, clickLineWidth);
  option(CountDownSpeed, clickCountDownSpeed);
  option(soundeffectonoff, clickSoundEffect);
  for (int i = 0; i < static_cast<int>(mnuLanguageChoice.size()); ++i)
    onClick(mnuLanguageChoice[i]->action(), [this, i] { mnuLanguageChoice_Click(i); });
}

void Form::createStageSelectItem(int index, const QString& caption) {
  QAction* a = mnuStage->addAction(caption);
  StageSelect.push_back(std::make_unique<MenuItem>(a));
  QObject::connect(a, &QAction::triggered, [this, index] { menuStageSelect(index); });
}

void Form::buildTimers() {
  auto t = [this](int ms, std::function<void()> f) {
    return std::make_unique<Timer>(plat, ms, std::move(f));
  };
  timCorrect = t(40, [this] { timCorrect_Timer(); });
  timGameover = t(50, [this] { timGameover_Timer(); });
  timEnding = t(50, [this] { timEnding_Timer(); });
  timPauseFlash = t(50, [this] { timPauseFlash_Timer(); });
  timCaution = t(60, [this] { timCaution_Timer(); });
  timFryLetters = t(60, [this] { timFryLetters_Timer(); });
  timMissFrash = t(100, [this] { timMissFrash_Timer(); });
  timAnsPoint = t(100, [this] { timAnsPoint_Timer(); });
  timLabelAns = t(100, [this] { timLabelAns_Timer(); });
  timInputName = t(150, [this] { timInputName_Timer(); });
}

OptionTicks Form::readTicks() const {
  OptionTicks t;
  for (int i = 0; i < 2; ++i) t.kakudai[i] = kakudaionoff[i]->Checked();
  for (int i = 0; i < 3; ++i) t.lineWidth[i] = linewidth[i]->Checked();
  for (int i = 0; i < 3; ++i) t.countDown[i] = CountDownSpeed[i]->Checked();
  for (int i = 0; i < 2; ++i) t.sound[i] = soundeffectonoff[i]->Checked();
  return t;
}

void Form::applyTicks(const OptionTicks& t) {
  for (int i = 0; i < 2; ++i) kakudaionoff[i]->setChecked(t.kakudai[i]);
  for (int i = 0; i < 3; ++i) linewidth[i]->setChecked(t.lineWidth[i]);
  for (int i = 0; i < 3; ++i) CountDownSpeed[i]->setChecked(t.countDown[i]);
  for (int i = 0; i < 2; ++i) soundeffectonoff[i]->setChecked(t.sound[i]);
}

double Form::formLeft() const { return toTwips(win->frameGeometry().x()); }
double Form::formTop() const { return toTwips(win->frameGeometry().y()); }
double Form::formWidth() const { return toTwips(win->frameGeometry().width()); }
double Form::formHeight() const { return toTwips(win->frameGeometry().height()); }
void Form::moveForm(double left, double top) { win->move(toPx(left), toPx(top)); }

}  // namespace kv
