// The game on a desktop: the help window and its document, where the data
// and the settings file are found.
#include <sys/stat.h>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>
#include <set>

#include "app/help_window.h"
#include "app/locations.h"
#include "game/stage_catalogue.h"
#include "settings/settings_file.h"
#include "tests/stage_player.h"

namespace kv::test {

class Help : public StagePlayer {
 protected:
  QList<HelpWindow*> helpWindows() const { return form->win->findChildren<HelpWindow*>(); }
  // F1 as the player presses it, in the game's window.
  void pressF1() {
    QApplication::setActiveWindow(form->win.get());
    key(Qt::Key_F1);
  }
};

TEST_F(Help, F1PausesARunningGameAndShowsOneHelpWindowFromEitherMenu) {
  copyHelp(dir.path());
  start();
  pressF1();  // on the title: the help, no pause
  ASSERT_EQ(helpWindows().size(), 1);
  HelpWindow* h = helpWindows()[0];
  EXPECT_EQ(std::tuple(h->isVisible(), h->browser()->source().path().endsWith("/help/index.html"),
                       st().Paused, form->CmdAns->Caption()),
            std::tuple(true, true, 0, QString("START !!")));
  QApplication::setActiveWindow(h);
  QTest::keyClick(h->browser(), Qt::Key_Escape);
  EXPECT_FALSE(h->isVisible());

  int checks = 0;
  auto resume = [&] { QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton); };
  sim->when([&] { return form->CmdAns->Enabled() && st().m.PointX >= 10 * 72; },
            [&] {
              pressF1();
              EXPECT_EQ(std::pair(st().Paused != 0, h->isVisible()), std::pair(true, true));
              pressF1();  // the open window comes to the front; still one
              EXPECT_EQ(helpWindows().size(), 1);
              resume();
              h->close();
              form->mnuPopupPrintHelp->click();
              EXPECT_EQ(std::tuple(st().Paused != 0, h->isVisible(), helpWindows().size()),
                        std::tuple(true, true, 1));
              sim->after(300, resume);
              ++checks;
            });
  play(kNoPress);
  EXPECT_EQ(std::tuple(checks, st().MissCount), std::tuple(1, 1));  // the stage ran to its end
}

TEST_F(Help, AMissingDocumentIsNamedAndTheGameGoesOn) {
  start();
  pressF1();
  ASSERT_EQ(helpWindows().size(), 1);
  const QString text = helpWindows()[0]->browser()->toPlainText();
  EXPECT_TRUE(text.contains(dir.path() + "/help/index.html")) << text.toStdString();
  play(kNoPress);
  EXPECT_EQ(st().MissCount, 1);
}

// Back from the help during a name entry, the keyboard goes to the name box.
TEST_F(Help, ClosingTheHelpGivesTheNameBoxTheKeyboardAgain) {
  start();
  std::tie(st().FinalRank, st().StageNo) = std::tuple(1, 11);
  form->EnterRanking();
  ASSERT_EQ(st().GameMode, 5);
  pressF1();
  HelpWindow* h = helpWindows()[0];
  QApplication::setActiveWindow(h);
  EXPECT_NE(QApplication::focusWidget(), form->txtName->edit());
  QTest::keyClick(h->browser(), Qt::Key_Escape);
  sim->advance(10);
  EXPECT_EQ(QApplication::focusWidget(), form->txtName->edit());
}

// In each language: every link between the pages leads to a page that
// exists, every picture is one of the screens the build makes, every stage
// has its entry, and the steps of play are numbered through, one list
// around their pictures.
TEST(HelpDocument, LinksResolveEveryStageIsDescribedAndTheStepsCountThrough) {
  for (const QString& language : {QString(), QString("/en")}) {
    SCOPED_TRACE(language.toStdString());
    const QDir help(QCoreApplication::applicationDirPath() + "/help" + language);
    const QStringList pages = help.entryList({"*.html"}, QDir::Files);
    ASSERT_EQ(pages.size(), 8);
    const QStringList screens = {"title", "stage", "answer",   "marked", "correct",   "miss",
                                 "zoom",  "pause", "gameover", "ending", "nameentry", "highscore"};
    const QRegularExpression ref(R"re((href|src)="([^"#]+)")re");
    QString all;
    for (const QString& page : pages) {
      SCOPED_TRACE(page.toStdString());
      const QString html = QString::fromUtf8(readFile(help.filePath(page)));
      EXPECT_TRUE(html.contains(QRegularExpression("<title>[^<]+</title>")));
      for (auto m = ref.globalMatch(html); m.hasNext();) {
        const auto hit = m.next();
        const QString target = hit.captured(2);
        if (hit.captured(1) == "href") {
          EXPECT_TRUE(pages.contains(target)) << target.toStdString();
        } else {
          EXPECT_TRUE(target.startsWith("img/") &&
                      screens.contains(QFileInfo(target).completeBaseName()) && help.exists(target))
              << target.toStdString();
        }
      }
      all += html;
    }
    for (int n = 1; n <= 16; ++n) EXPECT_TRUE(all.contains(StageCatalogue(n).title)) << n;

    QTextDocument play;
    play.setHtml(QString::fromUtf8(readFile(help.filePath("play.html"))));
    std::set<QTextList*> numbered;
    for (QTextBlock b = play.begin(); b != play.end(); b = b.next())
      if (b.textList() && b.textList()->format().style() == QTextListFormat::ListDecimal)
        numbered.insert(b.textList());
    ASSERT_EQ(numbered.size(), 1u);
    EXPECT_EQ((*numbered.begin())->count(), 6);
  }
}

// The data folder: beside the program (build tree, copied folder), else from
// the program's folder in Debian's layout for games or the plain one. A
// folder holds data when it has the help or a sound; an empty leftover of a
// removed install does not count.
TEST(Locations, DataIsFoundBesideTheProgramOrInEitherInstalledLayout) {
  // (program's folder, files made, data folder found or nullptr: none, the
  // program's folder)
  const std::tuple<const char*, std::vector<const char*>, const char*> cases[] = {
      {"copy", {"copy/miss.wav", "share/korvane/help/index.html"}, "copy"},
      {"copy", {"copy/help/index.html"}, "copy"},
      {"usr/games", {"usr/share/games/korvane/help/index.html"}, "usr/share/games/korvane"},
      {"usr/bin", {"usr/share/korvane/correct.wav"}, "usr/share/korvane"},
      {"usr/bin",
       {"usr/share/games/korvane/a.wav", "usr/share/korvane/b.wav"},
       "usr/share/games/korvane"},
      {"usr/games", {"usr/games/title.png", "usr/share/games/korvane/x.txt"}, nullptr},
      {"usr/bin", {}, nullptr},
  };
  for (const auto& [folder, files, found] : cases) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/";
    QDir().mkpath(root + folder);
    QDir().mkpath(root + "usr/share/korvane");
    for (const char* f : files) put(root + f, "x");
    const QString program = root + folder;
    SCOPED_TRACE(program.toStdString());
    EXPECT_EQ(FindDataDir(program), root + (found ? found : folder));
    EXPECT_EQ(MissingDataNotice(program).isEmpty(), found != nullptr);
  }
}

// On Windows the data always lie beside the program: what tells an installed
// copy is the installer's mark or a Program Files folder around it; its file
// goes to the roaming application data.
TEST(Locations, OnWindowsTheInstallerOrProgramFilesMakesACopyInstalled) {
  QTemporaryDir tmp;
  const QString root = tmp.path(), appData = root + "/AppData/Roaming";
  const QString portable = root + "/Games/korvane", pf = root + "/Program Files";
  const QString installed = pf + "/KORVANE";
  for (const QString& dir : {portable, installed}) QDir().mkpath(dir);
  const QString inAppData = appData + "/KORVANE/qelmira.ini";
  const QStringList programFiles{pf, "", root + "/Program Files (x86)"};
  // (program's folder, the installer's mark, settings file)
  const std::tuple<QString, bool, QString> cases[] = {
      {portable, false, portable + "/qelmira.ini"},
      {portable, true, inAppData},
      {installed, false, inAppData},
      // Drive letters and folder names compare without regard to case, in
      // either kind of separator.
      {QString(installed).replace('/', '\\').toUpper(), false, inAppData},
      // A folder whose name only begins like Program Files is not in it.
      {root + "/Program Files Games", false, root + "/Program Files Games/qelmira.ini"},
  };
  QDir().mkpath(root + "/Program Files Games");
  for (const auto& [program, mark, expected] : cases) {
    SCOPED_TRACE(program.toStdString());
    EXPECT_EQ(ChooseWindowsIniPath(program, appData, programFiles, mark), expected);
  }
  // A stray file beside an installed copy is not its own.
  writeFile(installed + "/qelmira.ini", "");
  EXPECT_EQ(ChooseWindowsIniPath(installed, appData, programFiles, false), inAppData);
}

// The settings file beside a game in a folder of its own (its data beside
// it), else in the user's configuration folder.
TEST(Locations, TheSettingsFileFollowsHowTheGameWasInstalled) {
  QTemporaryDir tmp;
  const QString root = tmp.path(), home = root + "/home", config = root + "/cfg";
  const QString portable = root + "/copy", bin = root + "/usr/bin", games = root + "/usr/games";
  for (const QString& program : {portable, bin, games}) QDir().mkpath(program);
  // (program's folder, data folder, XDG_CONFIG_HOME, settings file)
  const std::tuple<QString, QString, QString, QString> cases[] = {
      // A copied game writes beside itself.
      {portable, portable, "", portable + "/qelmira.ini"},
      // An installed one, even in a folder it could write to, uses the user's
      // configuration folder; a relative XDG_CONFIG_HOME is ignored.
      {bin, root + "/usr/share/korvane", config, config + "/korvane/qelmira.ini"},
      {bin, root + "/usr/share/korvane", "", home + "/.config/korvane/qelmira.ini"},
      {bin, root + "/usr/share/korvane", "cfg", home + "/.config/korvane/qelmira.ini"},
      {games, root + "/usr/share/games/korvane", config, config + "/korvane/qelmira.ini"},
  };
  for (const auto& [program, data, xdg, expected] : cases) {
    EXPECT_EQ(ChooseIniPath(program, data, xdg, home), expected);
    // A stray file beside an installed program is not its own.
    writeFile(program + "/qelmira.ini", "");
    EXPECT_EQ(ChooseIniPath(program, data, xdg, home), expected);
  }
  // One beside a copied game is, even where the folder is locked.
  ASSERT_EQ(::chmod(QFile::encodeName(portable), 0555), 0);
  EXPECT_EQ(ChooseIniPath(portable, portable, config, home), portable + "/qelmira.ini");
  ::chmod(QFile::encodeName(portable), 0755);

  // The first save makes the configuration folder.
  const QString fresh = home + "/.config/korvane/qelmira.ini";
  SettingsData d;
  ASSERT_TRUE(SaveSettings(fresh, d, 0, 0));
  EXPECT_TRUE(readFile(fresh).endsWith("[IniCheck]\r\nDummy=1\r\n"));
}

}  // namespace kv::test
