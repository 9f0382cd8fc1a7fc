// The toolkit's own texts in a face that suits the language, and the help
// window's way back and forward across a change of language.
#include <QApplication>
#include <QMenu>
#include <QTextBrowser>
#include <QToolTip>

#include "app/help_window.h"
#include "platform/fonts.h"
#include "tests/sim_fixture.h"

namespace kv::test {

TEST_F(SimGame, EnglishMenusToolTipsAndHelpTakeAProportionalFaceAndTheHelpKeepsItsWay) {
  copyHelp(dir.path());
  sim->languages = {"ja-JP"};
  start();
  form->printhelp->click();
  auto* help = form->win->findChild<HelpWindow*>();
  QTextBrowser* b = help->browser();
  const QString ja = dir.path() + "/help/", en = dir.path() + "/help/en/";
  b->setSource(QUrl::fromLocalFile(ja + "keys.html"));
  QUrl play = QUrl::fromLocalFile(ja + "play.html");
  play.setFragment("top");
  b->setSource(play);
  b->backward();
  auto page = [&](const QUrl& u) {
    return u.toLocalFile().mid(dir.path().size()) + (u.hasFragment() ? "#" + u.fragment() : "");
  };
  auto way = [&] {
    QStringList pages;
    for (int i = -b->backwardHistoryCount(); i <= b->forwardHistoryCount(); ++i)
      pages << page(b->historyUrl(i));
    return std::pair(pages, page(b->source()));
  };
  // (the language chosen, the face of the drop-down menus, tool tips and help)
  const QString desktop = QApplication::font().family();
  const std::tuple<int, QString, QString> cases[] = {
      {2, substituteFace(kPGothic), "/help/en/"}, {1, desktop, "/help/"}, {0, desktop, "/help/"}};
  for (const auto& [choice, face, folder] : cases) {
    SCOPED_TRACE(choice);
    form->mnuLanguageChoice[choice]->click();
    EXPECT_EQ(std::tuple(form->mnuGame->font().family(), form->mnuPopupMenu->font().family(),
                         QToolTip::font().family(), help->font().family(), b->font().family()),
              std::tuple(face, face, face, face, face));
    EXPECT_EQ(way(), std::pair(QStringList{folder + "index.html", folder + "keys.html",
                                           folder + "play.html#top"},
                               folder + "keys.html"));
  }
  // The way back still leads where it did.
  b->backward();
  EXPECT_EQ(way().second, "/help/index.html");
  // The window's own controls keep the faces of the design.
  EXPECT_EQ(form->CmdAns->button()->font().family(), substituteFace(kPGothic));
}

}  // namespace kv::test
