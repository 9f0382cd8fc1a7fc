#pragma once
// What every control of the window shares: a position and size in twips,
// visibility, the enabled state and a tool tip, kept with the Qt widget that
// shows it.
#include <QString>
#include <QWidget>

namespace kv {

class Control {
 public:
  explicit Control(QWidget* w) : w_(w) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const {
    settle();
    return width_;
  }
  double Height() const {
    settle();
    return height_;
  }
  void setLeft(double v) { MoveTo(v, top_); }
  void setTop(double v) { MoveTo(left_, v); }
  void setWidth(double v) { Move(left_, top_, v, Height()); }
  void setHeight(double v) { Move(left_, top_, Width(), v); }
  virtual void Move(double left, double top, double width, double height);
  // Moves without resizing: a size still to be worked out stays so.
  void MoveTo(double left, double top);
  // Design-time placement in pixels.
  void placePx(int x, int y, int w, int h);

  bool Visible() const { return visible_; }
  void setVisible(bool v);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool v);
  void setToolTipText(const QString& t);
  QString ToolTipText() const;
  void ZOrderFront();
  QWidget* widget() const { return w_; }

 protected:
  // Brings a size that was left to be worked out later up to date.
  virtual void settle() const {}
  // An explicit size makes a size still to be worked out moot.
  virtual void dropPendingSize() {}
  // The control has just been shown or enabled, or hidden or disabled.
  virtual void shownOrEnabledChanged() {}
  QWidget* w_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace kv
