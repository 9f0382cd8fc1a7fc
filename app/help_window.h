#pragma once
// The help: a window of its own, beside the game's, showing the HTML help
// document that ships with the program. It does not block the game; a second
// request brings the open window to the front.
#include <QMainWindow>
#include <functional>

class QTextBrowser;
class QToolBar;
class QAction;

namespace kv {

// The file of `page` ("index.html") in language `code`: the Japanese pages
// lie in `helpDir`, those of another language in its folder beside them.
QString HelpPage(const QString& helpDir, const QString& code, const QString& page);

class HelpWindow : public QMainWindow {
 public:
  // The window shows the contents page of the document in `helpDir`, in the
  // language spoken; a change of language turns the page shown, and every
  // page of the way back and forward, into the same page of the other one.
  HelpWindow(const QString& helpDir, QWidget* owner);

  // Shows the help window that belongs to `owner`, creating it at its first
  // use, and brings it to the front.
  static HelpWindow* showFor(QWidget* owner, const QString& helpDir);

  QTextBrowser* browser() const { return browser_; }

  // Called when the window closes.
  std::function<void()> onClose;

  // Speaks the language installed now: its own texts and face, and the
  // pages shown and visited turned into the same pages of that language.
  void speak();

 protected:
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void retext();
  void open(const QString& page);

  QString dir_;
  QTextBrowser* browser_ = nullptr;
  QToolBar* bar_ = nullptr;
  QAction *back_ = nullptr, *forward_ = nullptr, *home_ = nullptr;
};

}  // namespace kv
