#include "platform/line_control.h"

#include <QPainter>
#include <cmath>

#include "platform/twips.h"

namespace kv {

class LineWidget : public QWidget {
 public:
  LineWidget(QWidget* parent, LineCtl* owner) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(QColor(toQRgb(owner_->color_)));
    pen.setWidth(owner_->borderPx_);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    const QPoint origin = geometry().topLeft();
    p.drawLine(QPoint(toPx(owner_->x1_), toPx(owner_->y1_)) - origin,
               QPoint(toPx(owner_->x2_), toPx(owner_->y2_)) - origin);
  }

 private:
  LineCtl* owner_;
};

LineCtl::LineCtl(QWidget* parent) : Control(new LineWidget(parent, this)) {}

void LineCtl::setLine(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  const double pad = toTwips(borderPx_);
  Control::Move(std::min(x1, x2) - pad, std::min(y1, y2) - pad, std::abs(x2 - x1) + 2 * pad,
                std::abs(y2 - y1) + 2 * pad);
  w_->update();
}

void LineCtl::setBorder(int widthPx, Color c) {
  borderPx_ = widthPx;
  color_ = c;
  setLine(x1_, y1_, x2_, y2_);
}

}  // namespace kv
