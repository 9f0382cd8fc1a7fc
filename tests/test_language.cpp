// The game in the player's language: Japanese as designed, English for the
// other desktops, chosen in the options, switched at once and remembered.
#include <QMenuBar>
#include <QTextBrowser>

#include "app/command_line.h"
#include "app/help_window.h"
#include "settings/language.h"
#include "settings/settings_file.h"
#include "tests/stage_player.h"

namespace kv::test {

namespace {

// Kana, kanji and Japanese punctuation; not the ideographic space, nor the
// full-width Latin letters and digits anyone can read (the rank letter).
bool japanese(QChar c) {
  const char16_t u = c.unicode();
  return (u > 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
         (u >= 0xFF61 && u <= 0xFF9F) || (u >= 0xFF01 && u <= 0xFF60 && !c.isLetterOrNumber());
}

void collectMenu(const QList<QAction*>& actions, const QString& path, QStringList& out) {
  for (QAction* a : actions) {
    if (a->isSeparator()) continue;
    out << path + a->text();
    if (QMenu* m = a->menu()) collectMenu(m->actions(), path + a->text() + " > ", out);
  }
}

// A text as shown, and as designed in each language.
struct Designed {
  QString shown, ja, en;
};

}  // namespace

class Language : public StagePlayer, public ::testing::WithParamInterface<const char*> {
 protected:
  bool english() const { return QString(GetParam()) == "en"; }

  // Every text of the window, its menus, message boxes and help window.
  QStringList everything() {
    QStringList out;
    Form& f = *form;
    std::vector<Label*> labels = {f.LabelSt.get(),     f.LabelScore.get(), f.Label1miss.get(),
                                  f.Label1scale.get(), f.Labelmsg.get(),   f.Labelyr.get(),
                                  f.LabelRank.get(),   f.LabelEbye.get(),  f.labStageTitle.get(),
                                  f.LabPause.get(),    f.labName.get(),    f.labHSHead.get()};
    for (auto* v : {&f.LabelAns, &f.labGameover, &f.LabFry, &f.labHS, &f.labChr})
      for (auto& l : *v) labels.push_back(l.get());
    for (Label* l : labels) out << l->Caption() << l->ToolTipText();
    out << f.CmdAns->Caption() << f.CmdPause->Caption() << f.CmdPause->ToolTipText()
        << f.txtName->Text() << f.win->windowTitle();
    collectMenu(f.win->menuBar()->actions(), "", out);
    collectMenu(f.mnuPopupMenu->actions(), "", out);
    for (const QString& m : sim->messages) out << m;
    if (auto* h = f.win->findChild<HelpWindow*>()) {
      out << h->windowTitle() << h->browser()->toPlainText();
      for (QAction* a : h->findChildren<QAction*>()) out << a->text();
    }
    return out;
  }

  // At `moment`: the designed texts, and in English no Japanese word beyond
  // the names of the languages in their own words.
  void look(const char* moment, std::initializer_list<Designed> texts = {}) {
    SCOPED_TRACE(moment);
    for (const Designed& d : texts)
      EXPECT_EQ(d.shown, english() ? d.en : d.ja) << d.shown.toStdString();
    ++looks;
    if (!english()) return;
    for (const QString& t : everything()) {
      QString rest = t;
      for (const char* own : {"言語", "自動", "日本語"}) rest.remove(QString::fromUtf8(own));
      EXPECT_FALSE(std::any_of(rest.begin(), rest.end(), japanese)) << t.toStdString();
    }
  }

  int looks = 0;
};

// Title, a run with a pause, a miss, right answers to the ending, the name,
// the table, clearing it and the help: the whole game in one language.
TEST_P(Language, EveryTextOfAGameReadsInTheDesktopsLanguage) {
  sim->languages = {english() ? "en-US" : "ja-JP"};
  copyHelp(dir.path());
  start();
  form->CountDownSpeed[2]->click();
  look("title", {{form->GameMenuTitle->Caption(), "ゲーム", "Game"},
                 {form->mnuLanguage->Caption(), "言語 (Language)", "Language (言語)"},
                 {form->mnuLanguageChoice[0]->Caption(), "自動 (Auto)", "Auto (自動)"},
                 {form->mnuLanguageChoice[1]->Caption(), "日本語", "日本語"},
                 {form->mnuLanguageChoice[2]->Caption(), "English", "English"},
                 {form->printhelp->Caption(), "ヘルプ表示", "Show Help"},
                 {form->LabelScore->ToolTipText(), "マイナスになるとゲームオーバー",
                  "The game is over once the score falls below zero"},
                 {form->Label1miss->Caption(), "1ﾐｽ減点   0", "Per\u00a0miss   0"},
                 {form->Label1scale->Caption(), "1目盛り  0", "1\u00a0tick  0"},
                 {form->CmdAns->Caption(), "START !!", "START !!"}});
  bool paused = false;
  onRun([&] {
    look("run", {{form->CmdAns->Caption(), "解答！", "Answer!"}});
    key(Qt::Key_Escape);
    paused = st().Paused != 0;
    look("pause", {{form->CmdPause->Caption(), "再開", "Resume"},
                   {form->CmdPause->ToolTipText(), "ポーズを解除します", "Resume the game"}});
    QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton);
  });
  play({.offset = 0, .rightRow = false});
  EXPECT_TRUE(paused);
  look("miss", {{form->Labelmsg->Caption(), "MISS", "MISS"},
                {form->CmdAns->Caption(), "RETRY!", "RETRY!"}});
  play();
  look("correct", {{form->Labelmsg->Caption(), "正解！", "Right!"},
                   {form->CmdAns->Caption(), "NEXT STAGE", "NEXT STAGE"}});
  for (int stage = 2; stage <= 15; ++stage) play();
  sim->runUntil([&] { return st().GameMode == 5; });
  look("name", {{form->CmdAns->Caption(), "OK", "OK"}});
  QTest::keyClicks(form->txtName->edit(), "kv");
  clickAns();
  look("table", {{form->CmdAns->Caption(), "タイトルへ...", "To Title..."}});
  sim->answers = {false};
  form->mnuClearHighScore->click();
  look("clear");
  form->printhelp->click();
  look("help");
  EXPECT_EQ(looks, 9);
}

INSTANTIATE_TEST_SUITE_P(Both, Language, ::testing::Values("ja", "en"));

// A change in the menu while the point moves: every text changes at once,
// the run, the score, the timers and the help go on as they were. The status
// row's names fit their labels in both languages.
TEST_F(StagePlayer, SwitchingLanguageMidRunChangesTheTextsAndNothingElse) {
  copyHelp(dir.path());
  start();
  form->printhelp->click();
  auto* help = form->win->findChild<HelpWindow*>();
  auto onPage = [&](const char* page) { return help->browser()->source().path().endsWith(page); };
  bool checked = false;
  auto namesFit = [&] {
    for (Label* l : {form->Label1miss.get(), form->Label1scale.get()}) {
      const QString name = l->Caption().section("  ", 0, 0);
      EXPECT_LE(QFontMetrics(l->widget()->font()).horizontalAdvance(name), l->widget()->width())
          << name.toStdString();
    }
  };
  onRun([&] {
    const GameState before = st();
    const uint32_t now = sim->now();
    const QString miss = form->Label1miss->Caption();
    form->mnuLanguageChoice[2]->click();
    EXPECT_EQ(
        std::tuple(form->CmdAns->Caption(), form->OptionTitle->Caption(),
                   form->Label1miss->Caption(), help->windowTitle()),
        std::tuple(QString("Answer!"), QString("Options"),
                   "Per\u00a0miss" + miss.mid(QString("1ﾐｽ減点").size()), QString("KORVANE Help")));
    // No way back into the other language's pages.
    EXPECT_EQ(
        std::tuple(onPage("/help/en/index.html"), help->browser()->isBackwardAvailable(),
                   form->mnuLanguageChoice[2]->Checked(), form->mnuLanguageChoice[0]->Checked()),
        std::tuple(true, false, true, false));
    namesFit();
    EXPECT_EQ(std::tuple(sim->now(), st().m.PointX, st().Score, st().GameMode, st().Paused),
              std::tuple(now, before.m.PointX, before.Score, 2, 0));
    form->mnuLanguageChoice[1]->click();
    EXPECT_EQ(std::tuple(form->CmdAns->Caption(), form->Label1miss->Caption(),
                         onPage("/help/index.html")),
              std::tuple(QString("解答！"), miss, true));
    namesFit();
    checked = true;
  });
  play({.offset = 0});
  // The run ended as forecast: a right answer on the answer line.
  EXPECT_EQ(std::tuple(checked, form->Labelmsg->Caption(), st().MissCount, st().Score),
            std::tuple(true, QString("正解！"), 0, 500));
}

// The choice is stored in Option/Language and read back at the next start;
// a file without it, or with an unknown value, follows the desktop, and a
// player who never chose leaves the file as designed.
TEST_F(SimGame, TheLanguageChoiceIsRememberedInTheSettingsFile) {
  const QString ini = dir.path() + "/qelmira.ini";
  sim->languages = {"en-GB"};
  // (the Option section's Language line, the menu's language, the item ticked)
  const std::tuple<QByteArray, QString, int> cases[] = {{"", "Game", 0},
                                                        {"Language= 1\r\n", "ゲーム", 1},
                                                        {"Language=2\r\n", "Game", 2},
                                                        {"Language=ja\r\n", "Game", 0}};
  for (const auto& [stored, spoken, checked] : cases) {
    SCOPED_TRACE(stored.toStdString());
    writeFile(ini, "[Option]\r\nKakudai= 1\r\n" + stored + "[IniCheck]\r\nDummy=1\r\n");
    mod() = Module1{};
    start();
    EXPECT_EQ(
        std::tuple(form->GameMenuTitle->Caption(), form->mnuLanguageChoice[checked]->Checked(),
                   form->kakudaionoff[1]->Checked()),
        std::tuple(spoken, true, true));
    form.reset();
  }
  // Never chosen: no key of its own; chosen in the menu, saved at the end;
  // automatic again, saved as 0.
  QFile::remove(ini);
  for (int choice : {-1, 2, 0}) {
    mod() = Module1{};
    start();
    if (choice >= 0) form->mnuLanguageChoice[choice]->click();
    form->ShutDown();
    form.reset();
    const QByteArray saved = readFile(ini);
    const QByteArray language =
        choice < 0 ? "" : "Language= " + QByteArray::number(choice) + "\r\n";
    // The choice follows the other options.
    EXPECT_TRUE(saved.contains("SoundEffectOnOff= 0\r\n" + language + "[Ranking]"))
        << ::testing::PrintToString(saved.left(120).toStdString());
    EXPECT_EQ(saved.contains("Language"), choice >= 0);
  }
}

// Automatic: the first of the desktop's languages decides; none set means
// the design. An explicit choice overrides the desktop. --help answers in the
// desktop's language, without the toolkit running.
TEST(LanguageChoice, TheDesktopDecidesUnlessThePlayerChose) {
  // (the player's choice, the desktop's languages, the language used): no
  // French catalogue gives English, German has a catalogue of its own.
  const std::tuple<int, const char*, const char*> cases[] = {
      {0, "", "ja"},         {0, "C", "ja"},           {0, "POSIX", "ja"},
      {0, "ja-JP,ja", "ja"}, {0, "en-GB,ja-JP", "en"}, {0, "fr-FR,ja-JP", "en"},
      {0, "de_DE", "de"},    {0, "pt-Latn-BR", "en"},  {1, "en-US", "ja"},
      {2, "ja-JP", "en"}};
  for (const auto& [choice, desktop, code] : cases)
    EXPECT_EQ(PickLanguage(choice, QString(desktop).split(',', Qt::SkipEmptyParts), {"en", "de"}),
              code)
        << choice << " " << desktop;
  for (double stored : {-1.0, 0.0, 0.5, 3.0, 1e9}) EXPECT_EQ(LanguageChoiceFrom(stored), 0);
  const QStringList help = {"korvane", "--help"};
  EXPECT_TRUE(AnswerCommandLine(help, {"en-US"}).startsWith("Usage: korvane [--version"));
  EXPECT_TRUE(AnswerCommandLine(help, {}).startsWith("使い方: korvane [--version"));
  EXPECT_TRUE(AnswerCommandLine({"korvane"}, {"en-US"}).isEmpty());
}

}  // namespace kv::test
