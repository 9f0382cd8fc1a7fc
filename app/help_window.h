#pragma once
// The help: a window of its own, beside the game's, showing the HTML help
// document that ships with the program. It does not block the game; a second
// request brings the open window to the front.
#include <QMainWindow>
#include <functional>

class QTextBrowser;

namespace kv {

class HelpWindow : public QMainWindow {
 public:
  // The window shows `startPage` (an HTML file) and keeps it as its home.
  HelpWindow(const QString& startPage, QWidget* owner);

  // Shows the help window that belongs to `owner`, creating it at its first
  // use, and brings it to the front.
  static HelpWindow* showFor(QWidget* owner, const QString& startPage);

  QTextBrowser* browser() const { return browser_; }

  // Called when the window closes.
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace kv
