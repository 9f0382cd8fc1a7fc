#pragma once
#include <QFont>
#include <QImage>
#include <QString>
#include <functional>

#include "platform/control.h"
#include "platform/raster.h"
#include "platform/vbnum.h"

namespace kv {

// A picture box with a persistent image that survives hiding and covering.
class Picture : public Control {
 public:
  explicit Picture(QWidget* parent);
  void Move(double left, double top, double width, double height) override;

  QImage& image() {
    ensureImage();
    return img_;
  }
  const QImage& image() const {
    ensureImage();
    return img_;
  }
  // What the screen shows: a picture just set is shown as it is, without
  // a copy, until something is drawn on it.
  const QImage& shown() const { return backdrop_.isNull() ? image() : backdrop_; }
  Color BackColor() const { return back_; }
  void setBackColor(Color c);

  // Drawing state.
  int DrawWidth = 1;
  int DrawMode = kCopyPen;
  Color ForeColor = 0;
  double CurrentX = 0, CurrentY = 0;
  void setFont(const QString& face, double points, bool bold = false);
  void setFontSize(double points) { fontSize_ = points; }
  void setFontBold(bool b) { bold_ = b; }
  double FontSize() const { return fontSize_; }
  bool FontBold() const { return bold_; }

  // Figures, in twips of the picture.
  void Line(double x1, double y1, double x2, double y2, Color c);
  void LineStep(double x1, double y1, double dx, double dy, Color c) {
    Line(x1, y1, x1 + dx, y1 + dy, c);
  }
  void Box(double x1, double y1, double x2, double y2, Color c);
  void BoxFilled(double x1, double y1, double x2, double y2, Color c);
  void PSet(double x, double y, Color c);
  Color Point(double x, double y) const;
  void Print(const QString& text);
  double TextWidth(const QString& text) const;

  // Replaces everything drawn by `pic`, placed at the top-left corner on the
  // background colour.
  void SetPicture(const QImage& pic);
  void Cls();
  void Refresh();
  void markDirty();
  void markDirty(int x1, int y1, int x2, int y2);

  std::function<void(Qt::MouseButton, double x, double y)> onMouseDown;
  std::function<void(Qt::MouseButtons, double x, double y)> onMouseMove;
  std::function<void()> onDblClick;

 private:
  QFont qfont() const;
  void ensureImage(bool blank = true) const;
  void compose(const QImage& pic) const;
  // Made, or grown to the largest size the picture has had, when it is first
  // drawn on, read or shown: a picture that stays hidden and blank, as most
  // do at start-up, takes no memory and no time.
  mutable QImage img_;
  // An opaque picture set and not yet drawn on; it becomes the image when
  // the image is first asked for.
  mutable QImage backdrop_;
  int wantWidth_ = 0, wantHeight_ = 0;
  Color back_ = rgb(255, 255, 255);
  QString face_;
  double fontSize_ = 12;
  bool bold_ = false;
};

}  // namespace kv
