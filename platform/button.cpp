#include "platform/button.h"

#include "platform/fonts.h"

namespace kv {

class CmdButton : public QPushButton {
 public:
  CmdButton(QWidget* parent, Button* owner) : QPushButton(parent), owner_(owner) {
    connect(this, &QPushButton::clicked, [this] {
      if (owner_->onClick) owner_->onClick();
    });
  }

 private:
  Button* owner_;
};

Button::Button(QWidget* parent) : Control(new CmdButton(parent, this)) {
  button()->setFocusPolicy(Qt::StrongFocus);
  // Enter presses the focused button, as Space does.
  button()->setAutoDefault(true);
}
QString Button::Caption() const { return button()->text(); }
void Button::setCaption(const QString& c) { button()->setText(c); }
void Button::setFont(const QString& face, double points, bool bold) {
  button()->setFont(makeFont(face, points, bold));
}
void Button::setFocus() { button()->setFocus(Qt::OtherFocusReason); }

}  // namespace kv
