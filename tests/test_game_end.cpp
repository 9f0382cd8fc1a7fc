// The end of a game on virtual time, through the real handlers: the game-over
// and ending sequences, the name entry with keys and letter tiles, the
// high-score screen, clearing the table and closing the window meanwhile.
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "scores/ranking.h"
#include "tests/stage_player.h"

namespace kv::test {

class GameEnd : public StagePlayer {
 protected:
  // Loses the game in stage `stage` (1 or 2) with a wrong row and a low score,
  // and runs on until the ranking has been entered.
  void loseAtStage(int stage) {
    if (stage == 2) play({.offset = 0});
    onSetUp([this] { st().Score = 5; });
    play({.offset = 0, .rightRow = false});
    ASSERT_TRUE(form->timGameover->enabled());
  }
  void runToRanking() {
    sim->runUntil([this] { return st().GameMode == 5 || st().GameMode == 6; });
  }
  void clickLetter(int k) {
    sendMove(form->labChr[k]->widget(), {3, 3});
    QTest::mouseClick(form->labChr[k]->widget(), Qt::LeftButton, {}, QPoint(3, 3));
  }
  void type(const QString& s) { QTest::keyClicks(form->txtName->edit(), s); }
  // A key that gives `text`, as a keyboard layout with such letters does.
  void typeKey(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(form->txtName->edit(), &press);
  }
  QString line(int i) const { return form->labHS[i]->Caption(); }
  // Which of Pause, Restart, High score and Clear high score are enabled.
  QString menus() const {
    QString s;
    for (const auto* m : {&form->Pause, &form->Restart, &form->HighScore, &form->mnuClearHighScore})
      s += (*m)->Enabled() ? 'x' : '-';
    return s;
  }
  const RankingTable& table() const { return mod().hs; }
};

// A game lost in stage one: the plot shrinks 10 pixels a tick around its
// centre, 35 ticks, and is hidden at the 36th, when "gameover" sounds. The
// wait after it starts from the nearest whole second of the day; it must end
// 3.5 to 4.5 s after the effect, across midnight or with the wall clock set
// back an hour meanwhile, and keep the window responsive. Then the table,
// without an entry. From the title the menu shows the table again, and clears
// it only on Yes.
TEST_F(GameEnd, AGameLostInStageOneWaitsAboutFourSecondsAndShowsTheTableClearedOnlyOnYes) {
  // (seconds from the effect to midnight (0: at noon), whether the wall clock
  // goes back an hour during the wait)
  const std::pair<double, bool> cases[] = {{0.0, false}, {0.1, false}, {0.3, false}, {0.5, false},
                                           {0.7, false}, {2.4, false}, {0.0, true},  {0.3, true}};
  for (const auto& [before, setBack] : cases) {
    SCOPED_TRACE(before + setBack * 100);
    restart();
    // Place the effect `before` seconds ahead of midnight (0: at noon).
    sim->when([&] { return form->timGameover->enabled(); },
              [&, before] {
                if (before > 0)
                  sim->dayStartSeconds = 86400 - before - (sim->now() + 36 * 50) / 1000.0;
              });
    if (setBack)
      sim->when([&] { return count("gameover") > 0; },
                [&] { sim->after(1000, [&] { sim->dayStartSeconds -= 3600; }); });
    loseAtStage(1);
    const uint32_t t0 = sim->now();
    bool refused = false;
    sim->when([&] { return !form->PicMain->Visible(); },
              [&] {
                // Hidden as "gameover" sounds, which holds nothing up.
                EXPECT_EQ(std::tuple(form->PicMain->Width(), form->labGameover[1]->Visible(),
                                     form->Labelmsg->Visible(), lastPlay("gameover")),
                          std::tuple((504 - 350) * 15.0, true, false, sim->now()));
                // The pause is refused once the score is negative or the plot is gone.
                key(Qt::Key_Escape);
                refused = st().Paused == 0;
              });
    runToRanking();
    // The wait may pass four seconds: its start is rounded up by 0.5 s.
    const uint32_t wait = sim->now() - lastPlay("gameover");
    EXPECT_EQ(std::tuple(refused, lastPlay("gameover") - t0, wait >= 3500 && wait <= 4501),
              std::tuple(true, 36u * 50, true))
        << wait;

    // Score 0 in stage 1 ties the last entry of the default table: no entry.
    EXPECT_EQ(std::tuple(st().Score, st().RankPos, st().GameMode, count("rankin")),
              std::tuple(0, -1, 6, 0));
    EXPECT_EQ(std::tuple(line(9), ansButton(), menus()),
              std::tuple(QString("Empty       --/--/--     -  00000     01"),
                         std::pair(QString("タイトルへ..."), true), QString("---x")));
    clickAns();
    EXPECT_EQ(std::tuple(st().GameMode, form->PicMain->Visible(), form->PicMain->Width(),
                         form->picHS->Visible(), menus()),
              std::tuple(0, true, 504 * 15.0, false, QString("-xxx")));
  }

  // The table shown from the title, and cleared only on Yes.
  mod().hs.e[0] = {"KORVANE", "02/08/17", 123, 7, 9};
  form->HighScore->click();
  EXPECT_EQ(std::tuple(st().GameMode, form->picHS->Visible(), form->PicMain->Visible(), line(0)),
            std::tuple(6, true, false, QString("KORVANE     02/08/17        00123     07")));
  // No: nothing changes. Yes: ten default lines, redrawn.
  sim->answers = {false, true};
  form->mnuClearHighScore->click();
  EXPECT_EQ(table().e[0].Name, "KORVANE");
  form->mnuClearHighScore->click();
  EXPECT_EQ(std::tuple(table().e[0].Name, line(0)),
            std::tuple(QString("Empty"), QString("Empty       --/--/--     -  00000     10")));
  ASSERT_EQ(sim->messages.size(), 2u);
  EXPECT_TRUE(sim->messages[0].endsWith("ハイスコアを初期化してもよろしいですか？"));
  clickAns();
  EXPECT_EQ(st().GameMode, 0);
  // On the title the table is cleared without being shown.
  mod().hs.e[3].Score = 77;
  form->mnuClearHighScore->click();
  EXPECT_EQ(std::tuple(table().e[3].Score, form->picHS->Visible()), std::tuple(0, false));
}

TEST_F(GameEnd, TheNameIsTypedInUpperCaseOrPickedFromTheTilesAndStoredByTheRules) {
  start();
  loseAtStage(2);
  runToRanking();
  ASSERT_EQ(st().GameMode, 5);
  EXPECT_EQ(std::tuple(st().RankPos, table().e[9].Name, table().e[9].Date, sounds().back(),
                       form->CmdAns->Caption(), menus()),
            std::tuple(9, QString(10, ' '), QString("02/08/17"), QString("rankin"), QString("OK"),
                       QString("----")));
  // The box lies over the new line's name column, in front of it, and has the focus.
  auto* box = form->txtName->edit();
  EXPECT_EQ(std::tuple(box->isVisible(), box->hasFocus()), std::tuple(true, true));
  EXPECT_EQ(form->picHS->widget()->childAt(box->geometry().center()), box);

  // Pasting (as the X11 selection is pasted by a middle click) obeys the
  // same limit as typing.
  box->insert("0123456789XYZ");
  EXPECT_EQ(form->txtName->Text(), "0123456789");
  box->selectAll();
  box->insert("KLMNOPQRSTUVW");
  EXPECT_EQ(form->txtName->Text(), "KLMNOPQRST");
  form->txtName->setText("");
  const int before = count("ans_end");
  type("abcdefghijx");  // the eleventh letter does not fit
  EXPECT_EQ(std::tuple(form->txtName->Text(), count("ans_end") - before),
            std::tuple(QString("ABCDEFGHIJ"), 10));
  // Clicks add past the box's length; "BS" takes the last letter back.
  clickLetter(0);
  clickLetter(27);
  EXPECT_EQ(form->txtName->Text(), "ABCDEFGHIJA.");
  clickLetter(31);
  EXPECT_EQ(form->txtName->Text(), "ABCDEFGHIJA");
  // A character outside the basic plane goes back whole.
  for (const QString& name : {QStringLiteral("\U00020BB7"), QStringLiteral("A\U00020BB7")}) {
    form->txtName->setText(name);
    clickLetter(31);
    EXPECT_EQ(form->txtName->Text(), name.chopped(2));
  }
  form->txtName->setText("ABCDEFGHIJ@");
  // Over the limit, nothing more goes in, and one Backspace takes one back.
  box->insert("Z");
  EXPECT_EQ(form->txtName->Text(), "ABCDEFGHIJ@");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(form->txtName->Text(), "ABCDEFGHIJ");
  clickLetter(26);
  // The letter under the pointer is white while the others cycle.
  sendMove(form->labChr[5]->widget(), {3, 3});
  sim->advance(150);
  EXPECT_EQ(form->labChr[5]->ForeColor(), rgb(255, 255, 255));
  EXPECT_EQ(form->labChr[4]->ForeColor(), form->labChr[20]->ForeColor());
  sendMove(form->picHS->widget(), {5, 300});  // over the table's background
  EXPECT_EQ(std::tuple(form->labChr[5]->ForeColor(), st().HotLetter), std::tuple(rgb(0, 0, 0), -1));

  // Enter in the box presses "OK": eleven characters are stored as "?".
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(std::tuple(st().GameMode, table().e[9].Name, mod().RecentName, box->isVisible(),
                       menus(), sim->messages.empty(), form->timInputName->enabled()),
            std::tuple(6, QString("?"), QString("?"), false, QString("---x"), true, false));
  EXPECT_EQ(std::tuple(form->labChr[0]->ForeColor(), form->labHS[9]->ForeColor(), line(9)),
            std::tuple(rgb(64, 64, 64), rgb(255, 255, 0),
                       QString("?           02/08/17     -  00000     02")));
  // Letter tiles are inert outside the entry.
  clickLetter(0);
  EXPECT_EQ(form->labChr[0]->ForeColor(), rgb(64, 64, 64));

  // The next entry starts from the last name; a name composed by an input
  // method follows the byte rule.
  clickAns();  // to the title
  ClearRanking(mod().hs);
  loseAtStage(2);
  runToRanking();
  ASSERT_EQ(st().GameMode, 5);
  EXPECT_EQ(form->txtName->Text(), "?");
  form->txtName->setText("");
  QInputMethodEvent ime;
  ime.setCommitString("山田太郎五六");
  QCoreApplication::sendEvent(box, &ime);
  clickAns();
  EXPECT_EQ(std::tuple(table().e[st().RankPos].Name, mod().RecentName),
            std::tuple(QString("?"), QString("?")));
}

// The box takes only what code page 932 holds, the same way by every way
// in: an accented letter loses its accent, what has no form there is
// refused, and the kept name is the one the box showed.
TEST_F(GameEnd, TheNameBoxTakesWhatTheFileCanKeepByEveryWayIn) {
  start();
  loseAtStage(2);
  runToRanking();
  ASSERT_EQ(st().GameMode, 5);
  auto* box = form->txtName->edit();
  form->txtName->setText("");
  type("zo");
  typeKey("ë");
  typeKey("😀");
  EXPECT_EQ(form->txtName->Text(), "ZOE");
  // The X11 selection (a middle click inserts it), the clipboard, an input
  // method.
  box->insert("😀カ\u3099。");
  EXPECT_EQ(form->txtName->Text(), "ZOEｶﾞ｡");
  QGuiApplication::clipboard()->setText("ñ😀\n2");
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form->txtName->Text(), "ZOEｶﾞ｡n");
  QInputMethodEvent ime;
  ime.setCommitString("😀ｱbcd");
  QCoreApplication::sendEvent(box, &ime);
  // The tenth character fits; the eleventh does not.
  const QString name = "ZOEｶﾞ｡nｱbc";
  EXPECT_EQ(form->txtName->Text(), name);
  const int before = count("ans_end");
  typeKey("ë");
  EXPECT_EQ(std::tuple(form->txtName->Text(), count("ans_end")), std::tuple(name, before));
  clickAns();
  EXPECT_EQ(std::tuple(table().e[st().RankPos].Name, mod().RecentName), std::tuple(name, name));
  EXPECT_EQ(line(st().RankPos), name + "  02/08/17     -  00000     02");
}

// On the high-score screen, lines with kanji, katakana and Latin names draw
// every column at the same pixel: the part after the name looks the same on
// every line, and each column starts where the heading's does.
TEST_F(GameEnd, KanjiKatakanaAndLatinNamesLineUpInEveryColumnOnScreen) {
  start();
  const QString names[] = {"山田太郎", "ｶﾀｶﾅ", "ABCDEFGHIJ", "漢字漢字漢", "ﾊﾟﾊﾟ漢字",
                           "Ｑ",       "?",    "NONAME",     "漢ｶA",       "Empty"};
  for (int i = 0; i < 10; ++i) mod().hs.e[i] = {names[i], "02/08/17", 1234, 5, 6};
  form->ShowHighScores();
  const QImage screen =
      form->picHS->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const double column = QFontMetricsF(form->labHS[0]->qfont()).horizontalAdvance("0123456789") / 10;
  // Which pixel columns of line i hold yellow ink, from the line's left edge.
  auto ink = [&](int i) {
    const QRect r = form->labHS[i]->widget()->geometry();
    std::vector<bool> drawn(static_cast<size_t>(r.width()));
    for (int x = 0; x < r.width(); ++x)
      for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb p = screen.pixel(r.left() + x, y);
        if (qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) < 100)
          drawn[static_cast<size_t>(x)] = true;
      }
    return drawn;
  };
  const int nameEnd = static_cast<int>(std::ceil(10 * column));
  const std::vector<bool> first = ink(0);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(names[i].toStdString());
    const std::vector<bool> line = ink(i);
    ASSERT_EQ(line.size(), first.size());
    EXPECT_TRUE(std::equal(line.begin() + nameEnd, line.end(), first.begin() + nameEnd));
    EXPECT_TRUE(std::none_of(line.begin() + nameEnd, line.begin() + std::lround(12 * column),
                             [](bool b) { return b; }));
    // Date, rank, score and stage start in their first column, and nothing
    // is drawn in the blanks before them.
    for (const auto& [from, blankFrom] : {std::pair(12, 10), {25, 20}, {28, 26}, {38, 33}}) {
      const auto at = [&](double c) { return line.begin() + std::lround(c * column); };
      EXPECT_TRUE(std::any_of(at(from), at(from + 1), [](bool b) { return b; })) << from;
      EXPECT_TRUE(std::none_of(at(blankFrom) + 1, at(from) - 1, [](bool b) { return b; })) << from;
    }
  }
}

// Closing the window by the desktop, inside a moving frame or in each
// sequence of the end of a game, saves the settings and ends the program; a
// name being typed is stored as "NoName".
TEST_F(GameEnd, ClosingDuringARunOrTheEndOfAGameSavesTheSettings) {
  // The parent names the folder; a death test's child, forked or started
  // afresh (as on Windows), finds the name in the environment it inherits.
  if (qEnvironmentVariableIsEmpty("KORVANE_END_DIR"))
    qputenv("KORVANE_END_DIR",
            QFile::encodeName(QDir::tempPath() +
                              QString("/korvane-end-%1").arg(QCoreApplication::applicationPid())));
  const QString fixed = qEnvironmentVariable("KORVANE_END_DIR");
  enum Moment { kRun, kGameOverWait, kNameEntry, kEnding };
  for (Moment moment : {kRun, kGameOverWait, kNameEntry, kEnding}) {
    SCOPED_TRACE(moment);
    QDir(fixed).removeRecursively();
    QDir().mkpath(fixed);
    EXPECT_EXIT(
        {
          sim->dir = fixed;
          start();
          if (moment == kRun) {
            onRun([&] { sim->after(400, [&] { form->win->close(); }); });
            clickAns();
            std::_Exit(7);  // not reached: the frame loop ends the program
          } else if (moment == kEnding) {
            for (int s = 1; s <= 15; ++s) play();
            sim->advance(5000);
          } else if (moment == kNameEntry) {
            loseAtStage(2);
            runToRanking();
            type("ab");
          } else {
            loseAtStage(2);
            sim->when([&] { return !form->PicMain->Visible(); },
                      [&] { sim->after(1000, [&] { form->win->close(); }); });
            runToRanking();
            std::_Exit(7);  // not reached: the wait ends the program
          }
          // A sequence run by timers returns to the event loop, which ends.
          form->win->close();
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    const QByteArray out = readFile(fixed + "/qelmira.ini");
    SCOPED_TRACE(::testing::PrintToString(out.toStdString()));
    EXPECT_EQ(std::tuple(out.startsWith("[Option]\r\n"), out.endsWith("[IniCheck]\r\nDummy=1\r\n"),
                         out.contains("NoName")),
              std::tuple(true, true, moment == kNameEntry));
  }
  QDir(fixed).removeRecursively();
}

}  // namespace kv::test
