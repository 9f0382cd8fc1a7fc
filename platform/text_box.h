#pragma once
#include <QLineEdit>
#include <QString>
#include <functional>

#include "platform/control.h"
#include "platform/raster.h"

namespace kv {

// A one-line text box.
class TextBox : public Control {
 public:
  explicit TextBox(QWidget* parent);
  // The line edit calls back into its box (length limit, typing rules), so
  // it must not outlive it, even inside a window being torn down.
  ~TextBox() override;
  QString Text() const;
  void setText(const QString& t);
  void setMaxLength(int n);
  void setColors(Color fore, Color back);
  void setFont(const QString& face, double points);
  QLineEdit* edit() const { return static_cast<QLineEdit*>(w_); }
  // Typed letters become upper case.
  bool upperCaseTyping = false;
  // What the user puts into the box, by any way (typing, pasting, the X11
  // selection, an input method), passes through it first: the box takes
  // what it gives, and characters it leaves out are refused. The program's
  // own texts do not.
  std::function<QString(const QString&)> fold;
  // Every change of the text, by the user or the program.
  std::function<void()> onChange;
  // Enter pressed in the box.
  std::function<void()> onEnter;

 private:
  friend class TextEdit;
  friend class LengthLimit;
  int maxLength_ = 32767;
};

}  // namespace kv
