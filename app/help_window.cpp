#include "app/help_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "app/form.h"

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
               QStringLiteral("（画像 %1 はありません）").arg(QFileInfo(name.path()).fileName()));
    p.end();
    return img;
  }
};

QString missingPage(const QString& path) {
  return QStringLiteral(
             "<h2>ヘルプファイルが見つかりません</h2>"
             "<p>次のファイルがありません：</p><p><tt>%1</tt></p>"
             "<p>ゲームはそのまま続けられます。</p>")
      .arg(path.toHtmlEscaped());
}

}  // namespace

HelpWindow::HelpWindow(const QString& startPage, QWidget* owner) : QMainWindow(owner, Qt::Window) {
  setObjectName(QStringLiteral("KorvaneHelp"));
  setWindowTitle(QStringLiteral("KORVANE ヘルプ"));
  if (owner) setWindowIcon(owner->windowIcon());
  resize(640, 560);

  browser_ = new HelpBrowser(this);
  // Links to other sites open in the desktop's browser.
  browser_->setOpenExternalLinks(true);
  setCentralWidget(browser_);

  QToolBar* bar = addToolBar(QStringLiteral("移動"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto add = [&](const QString& text, QStyle::StandardPixmap icon, const QKeySequence& key) {
    QAction* a = bar->addAction(style()->standardIcon(icon), text);
    a->setShortcut(key);
    return a;
  };
  QAction* back = add(QStringLiteral("戻る"), QStyle::SP_ArrowBack, QKeySequence::Back);
  QAction* fwd = add(QStringLiteral("進む"), QStyle::SP_ArrowForward, QKeySequence::Forward);
  QAction* home =
      add(QStringLiteral("目次"), QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home));
  back->setEnabled(false);
  fwd->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(fwd, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, fwd, &QAction::setEnabled);
  // Closed like other help windows on the desktop: Escape or Ctrl+W.
  auto* closeAction = new QAction(this);
  closeAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
  connect(closeAction, &QAction::triggered, this, &QWidget::close);
  addAction(closeAction);

  if (QFileInfo(startPage).isFile())
    browser_->setSource(QUrl::fromLocalFile(startPage));
  else
    browser_->setHtml(missingPage(startPage));
}

HelpWindow* HelpWindow::showFor(QWidget* owner, const QString& startPage) {
  auto* w = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
  if (!w) {
    w = new HelpWindow(startPage, owner);
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
  HelpWindow* help = HelpWindow::showFor(win.get(), helpFile);
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
