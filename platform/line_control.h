#pragma once
#include "platform/control.h"
#include "platform/raster.h"

namespace kv {

// A line control: a straight line of a given thickness in pixels.
class LineCtl : public Control {
 public:
  explicit LineCtl(QWidget* parent);
  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }
  void setLine(double x1, double y1, double x2, double y2);
  void setBorder(int widthPx, Color c);

 private:
  friend class LineWidget;
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int borderPx_ = 1;
  Color color_ = 0;
};

}  // namespace kv
