#pragma once
#include <QPushButton>
#include <QString>
#include <functional>

#include "platform/control.h"

namespace kv {

// A command button; Enter or Space presses it when it has the focus.
class Button : public Control {
 public:
  explicit Button(QWidget* parent);
  QString Caption() const;
  void setCaption(const QString& c);
  void setFont(const QString& face, double points, bool bold = false);
  void setFocus();
  // Presses the button as a click would (runs the handler even when hidden).
  void click() {
    if (onClick) onClick();
  }
  std::function<void()> onClick;
  // Runs whenever the button has just become both shown and enabled.
  std::function<void()> onUsable;
  QPushButton* button() const { return static_cast<QPushButton*>(w_); }

 protected:
  void shownOrEnabledChanged() override {
    if (onUsable && Visible() && Enabled()) onUsable();
  }
};

}  // namespace kv
