#include "platform/control.h"

#include "platform/twips.h"

namespace kv {

void Control::Move(double left, double top, double width, double height) {
  dropPendingSize();
  width_ = width;
  height_ = height;
  MoveTo(left, top);
}

void Control::MoveTo(double left, double top) {
  left_ = left;
  top_ = top;
  const int x = toPx(left), y = toPx(top);
  w_->setGeometry(x, y, std::max(0, toPx(left + width_) - x), std::max(0, toPx(top + height_) - y));
}

void Control::placePx(int x, int y, int w, int h) {
  Move(toTwips(x), toTwips(y), toTwips(w), toTwips(h));
}

void Control::setVisible(bool v) {
  const bool changed = v != visible_;
  visible_ = v;
  w_->setVisible(v);
  if (changed) shownOrEnabledChanged();
}

void Control::setEnabled(bool v) {
  const bool changed = v != enabled_;
  enabled_ = v;
  w_->setEnabled(v);
  if (changed) shownOrEnabledChanged();
}

void Control::setToolTipText(const QString& t) { w_->setToolTip(t); }
QString Control::ToolTipText() const { return w_->toolTip(); }
void Control::ZOrderFront() { w_->raise(); }

}  // namespace kv
