#include "app/help_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "app/form.h"
#include "app/language.h"
#include "platform/fonts.h"

namespace kv {

namespace {

// The browser with a stand-in for a picture the document names but that is
// not there, so a missing picture shows its file name rather than a hole.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    QVariant v = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || v.isValid()) return v;
    QImage img(320, 48, QImage::Format_RGB32);
    img.fill(QColor(224, 224, 240));
    QPainter p(&img);
    p.setPen(QColor(96, 96, 128));
    p.drawRect(0, 0, img.width() - 1, img.height() - 1);
    p.drawText(img.rect(), Qt::AlignCenter,
               QCoreApplication::translate("HelpWindow", "（画像 %1 はありません）")
                   .arg(QFileInfo(name.path()).fileName()));
    p.end();
    return img;
  }
};

QString missingPage(const QString& path) {
  return QCoreApplication::translate("HelpWindow",
                                     "<h2>ヘルプファイルが見つかりません</h2>"
                                     "<p>次のファイルがありません：</p><p><tt>%1</tt></p>"
                                     "<p>ゲームはそのまま続けられます。</p>")
      .arg(path.toHtmlEscaped());
}

const QString kContents = QStringLiteral("index.html");

}  // namespace

QString HelpPage(const QString& helpDir, const QString& code, const QString& page) {
  if (code == QStringLiteral("ja")) return helpDir + u'/' + page;
  return helpDir + u'/' + code + u'/' + page;
}

HelpWindow::HelpWindow(const QString& helpDir, QWidget* owner)
    : QMainWindow(owner, Qt::Window), dir_(helpDir) {
  setObjectName(QStringLiteral("KorvaneHelp"));
  if (owner) setWindowIcon(owner->windowIcon());
  resize(640, 560);

  browser_ = new HelpBrowser(this);
  // Links to other sites open in the desktop's browser.
  browser_->setOpenExternalLinks(true);
  setCentralWidget(browser_);

  bar_ = addToolBar(QString());
  bar_->setMovable(false);
  bar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto add = [&](QStyle::StandardPixmap icon, const QKeySequence& key) {
    QAction* a = bar_->addAction(style()->standardIcon(icon), QString());
    a->setShortcut(key);
    return a;
  };
  back_ = add(QStyle::SP_ArrowBack, QKeySequence::Back);
  forward_ = add(QStyle::SP_ArrowForward, QKeySequence::Forward);
  home_ = add(QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home));
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home_, &QAction::triggered, this,
          [this] { open(HelpPage(dir_, InstalledLanguage(), kContents)); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  // Closed like other help windows on the desktop: Escape or Ctrl+W.
  auto* closeAction = new QAction(this);
  closeAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
  connect(closeAction, &QAction::triggered, this, &QWidget::close);
  addAction(closeAction);

  retext();
  open(HelpPage(dir_, InstalledLanguage(), kContents));
}

void HelpWindow::retext() {
  setFont(TextFontFor(InstalledLanguage(), QApplication::font()));
  setWindowTitle(QCoreApplication::translate("HelpWindow", "KORVANE ヘルプ"));
  bar_->setWindowTitle(QCoreApplication::translate("HelpWindow", "移動"));
  back_->setText(QCoreApplication::translate("HelpWindow", "戻る"));
  forward_->setText(QCoreApplication::translate("HelpWindow", "進む"));
  home_->setText(QCoreApplication::translate("HelpWindow", "目次"));
}

void HelpWindow::open(const QString& page) {
  if (QFileInfo(page).isFile())
    browser_->setSource(QUrl::fromLocalFile(page));
  else
    browser_->setHtml(missingPage(page));
}

void HelpWindow::speak() {
  retext();
  // The way back and forward is kept, each page turned into the same page of
  // the language now spoken.
  const QString code = InstalledLanguage();
  auto turned = [&](const QUrl& was) {
    QUrl now = QUrl::fromLocalFile(HelpPage(
        dir_, code, was.isLocalFile() ? QFileInfo(was.toLocalFile()).fileName() : kContents));
    now.setFragment(was.fragment());
    return now;
  };
  const int back = browser_->backwardHistoryCount(), ahead = browser_->forwardHistoryCount();
  QList<QUrl> was, now;
  for (int i = -back; i <= ahead; ++i) {
    was << browser_->historyUrl(i);
    now << turned(was.back());
  }
  if (now == was && browser_->source() == now.at(back)) return;
  browser_->setSource(now.at(0));
  browser_->clearHistory();
  for (qsizetype i = 1; i < now.size(); ++i) browser_->setSource(now.at(i));
  for (int i = 0; i < ahead; ++i) browser_->backward();
  if (!QFileInfo(now.at(back).toLocalFile()).isFile()) open(now.at(back).toLocalFile());
}

void HelpWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) speak();
  QMainWindow::changeEvent(e);
}

HelpWindow* HelpWindow::showFor(QWidget* owner, const QString& helpDir) {
  auto* w = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
  if (!w) {
    w = new HelpWindow(helpDir, owner);
    // Beside the game where the screen has room, so both can be seen.
    const QRect game = owner->frameGeometry();
    const QPoint place = game.topRight() + QPoint(8, 0);
    const QScreen* screen = owner->screen();
    if (screen && screen->availableGeometry().contains(QRect(place, w->size()))) w->move(place);
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

void HelpWindow::closeEvent(QCloseEvent* e) {
  QMainWindow::closeEvent(e);
  if (e->isAccepted() && onClose) onClose();
}

// "ヘルプ表示" (F1) and its twin in the pop-up menu: a running game is paused
// first, so it waits while the player reads.
void Form::printhelp_Click() {
  PauseOn();
  HelpWindow* help = HelpWindow::showFor(win.get(), helpDir);
  // Back from the help, the keyboard goes to the game again, and into the
  // name box if a name is being typed.
  // Done once the help window is gone: while it closes it is still the active
  // window.
  help->onClose = [this] {
    QMetaObject::invokeMethod(
        win.get(),
        [this] {
          win->activateWindow();
          if (st.GameMode == 5 && txtName->Visible())
            txtName->edit()->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
  };
}

}  // namespace kv
