#include "platform/picture.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

#include "platform/fonts.h"
#include "platform/twips.h"

namespace kv {

class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, Picture* owner) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    const QImage& shown = owner_->shown();
    p.drawImage(e->rect().topLeft(), shown, e->rect());
    const QRegion outside = QRegion(e->rect()) - QRegion(shown.rect());
    for (const QRect& r : outside) p.fillRect(r, QColor(toQRgb(owner_->BackColor())));
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (owner_->onMouseDown)
      owner_->onMouseDown(e->button(), e->position().x() * g_twipsPerPixel,
                          e->position().y() * g_twipsPerPixel);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (owner_->onMouseMove)
      owner_->onMouseMove(e->buttons(), e->position().x() * g_twipsPerPixel,
                          e->position().y() * g_twipsPerPixel);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && owner_->onDblClick) owner_->onDblClick();
  }

 private:
  Picture* owner_;
};

Picture::Picture(QWidget* parent) : Control(new PictureWidget(parent, this)) { face_ = kGothic; }

void Picture::Move(double left, double top, double width, double height) {
  Control::Move(left, top, width, height);
  wantWidth_ = std::max(wantWidth_, w_->width());
  wantHeight_ = std::max(wantHeight_, w_->height());
}

// The persistent image only grows: shrinking a picture keeps what was drawn,
// as an image kept at its largest size would.
void Picture::ensureImage(bool blank) const {
  if (!backdrop_.isNull()) {
    const QImage pic = std::exchange(backdrop_, QImage());
    compose(pic);
  }
  const int w = std::max(img_.width(), wantWidth_);
  const int h = std::max(img_.height(), wantHeight_);
  if (w == img_.width() && h == img_.height()) return;
  QImage n(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  if (blank || !img_.isNull()) n.fill(toQRgb(back_));
  if (!img_.isNull()) {
    QPainter p(&n);
    p.drawImage(0, 0, img_);
  }
  img_ = n;
}

void Picture::setBackColor(Color c) {
  back_ = c;
  Cls();
}

void Picture::setFont(const QString& face, double points, bool bold) {
  face_ = face;
  fontSize_ = points;
  bold_ = bold;
}

QFont Picture::qfont() const { return makeFont(face_, fontSize_, bold_); }

void Picture::markDirty() { w_->update(); }

// Only the pixels a figure touched are repainted, so a frame of the run costs
// one short segment, not the whole picture.
void Picture::markDirty(int x1, int y1, int x2, int y2) {
  const int pad = DrawWidth + 1;
  w_->update(QRect(QPoint(std::min(x1, x2) - pad, std::min(y1, y2) - pad),
                   QPoint(std::max(x1, x2) + pad, std::max(y1, y2) + pad)));
}

void Picture::Line(double x1, double y1, double x2, double y2, Color c) {
  Raster(image(), DrawMode).line(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c, DrawWidth);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::Box(double x1, double y1, double x2, double y2, Color c) {
  Raster(image(), DrawMode).box(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c, DrawWidth);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::BoxFilled(double x1, double y1, double x2, double y2, Color c) {
  Raster(image(), DrawMode).fill(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::PSet(double x, double y, Color c) {
  Raster(image(), DrawMode).dot(toPx(x), toPx(y), c, DrawWidth);
  CurrentX = x;
  CurrentY = y;
  markDirty(toPx(x), toPx(y), toPx(x), toPx(y));
}

Color Picture::Point(double x, double y) const {
  const int px = toPx(x), py = toPx(y);
  if (px >= w_->width() || py >= w_->height()) return -1;
  return readPixel(image(), px, py);
}

// Text is drawn on a transparent ground in the fore colour; the pen's draw
// mode does not apply to text.
void Picture::Print(const QString& text) {
  QPainter p(&image());
  const QFont f = qfont();
  p.setFont(f);
  p.setPen(QColor(toQRgb(ForeColor)));
  QFontMetrics fm(f);
  p.drawText(QPoint(toPx(CurrentX), toPx(CurrentY) + fm.ascent()), text);
  CurrentX = 0;
  CurrentY += toTwips(fm.height());
  markDirty();
}

double Picture::TextWidth(const QString& text) const {
  return toTwips(QFontMetrics(qfont()).horizontalAdvance(text));
}

void Picture::SetPicture(const QImage& pic) {
  // An opaque picture replaces everything drawn, so it is only kept until the
  // image is needed (the title is shown straight from where it lies).
  if (!pic.hasAlphaChannel()) {
    img_ = QImage();
    backdrop_ = pic;
  } else {
    compose(pic);
  }
  markDirty();
}

void Picture::compose(const QImage& pic) const {
  // Under an opaque picture each pixel is written once: the picture, and the
  // background beside and below it (a new image is not blanked first).
  const bool opaque = !pic.hasAlphaChannel();
  ensureImage(!opaque);
  QPainter p(&img_);
  const QRegion ground = opaque ? QRegion(img_.rect()) - QRegion(pic.rect()) : QRegion(img_.rect());
  for (const QRect& r : ground) p.fillRect(r, QColor(toQRgb(back_)));
  p.drawImage(0, 0, pic);
}

void Picture::Cls() {
  backdrop_ = QImage();
  if (!img_.isNull()) img_.fill(toQRgb(back_));
  CurrentX = CurrentY = 0;
  markDirty();
}

void Picture::Refresh() { w_->repaint(); }

}  // namespace kv
