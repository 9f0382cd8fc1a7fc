#pragma once
#include <QAction>
#include <QString>

namespace kv {

// A menu item (or a submenu's title).
class MenuItem {
 public:
  explicit MenuItem(QAction* a) : a_(a) {}
  QString Caption() const { return a_->text(); }
  void setCaption(const QString& c) { a_->setText(c); }
  bool Checked() const { return a_->isChecked(); }
  void setChecked(bool c) {
    a_->setCheckable(true);
    a_->setChecked(c);
  }
  bool Enabled() const { return a_->isEnabled(); }
  void setEnabled(bool e) { a_->setEnabled(e); }
  bool Visible() const { return a_->isVisible(); }
  void setVisible(bool v) { a_->setVisible(v); }
  QAction* action() const { return a_; }
  // Runs the click handler as a choice of the item would.
  void click() { a_->trigger(); }

 private:
  QAction* a_;
};

}  // namespace kv
