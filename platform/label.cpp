#include "platform/label.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "platform/fonts.h"
#include "platform/twips.h"

namespace kv {

class LabelWidget : public QWidget {
 public:
  LabelWidget(QWidget* parent, Label* owner) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_NoSystemBackground, false);
  }

 protected:
  void showEvent(QShowEvent*) override { owner_->settle(); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (owner_->opaque_) p.fillRect(rect(), QColor(toQRgb(owner_->back_)));
    p.setFont(owner_->qfont());
    p.setPen(QColor(toQRgb(owner_->fore_)));
    int flags = Qt::AlignTop | (owner_->centered_ ? Qt::AlignHCenter : Qt::AlignLeft);
    if (!owner_->autoSize_) flags |= Qt::TextWordWrap;
    QString text = owner_->caption_;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    p.drawText(rect(), flags, text);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && owner_->onClick) owner_->onClick();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && owner_->onDblClick) owner_->onDblClick();
  }
  // A label takes the pointer's moves over it: the picture behind it does
  // not see them.
  void mouseMoveEvent(QMouseEvent* e) override {
    if (owner_->onMouseMove) owner_->onMouseMove();
    e->accept();
  }

 private:
  Label* owner_;
};

Label::Label(QWidget* parent) : Control(new LabelWidget(parent, this)) {
  face_ = kPGothic;
  // Moves without a button pressed reach the label too (hover).
  w_->setMouseTracking(true);
}

QFont Label::qfont() const { return makeFont(face_, fontSize_, bold_, italic_); }

void Label::setCaption(const QString& c) {
  caption_ = c;
  fit();
  w_->update();
}
void Label::setForeColor(Color c) {
  fore_ = c;
  w_->update();
}
void Label::setBackColor(Color c) {
  back_ = c;
  w_->update();
}
void Label::setOpaque(bool o) {
  opaque_ = o;
  w_->update();
}
void Label::setAutoSize(bool a) {
  // A label that stops following its text keeps the size the text gave it.
  if (!a) settle();
  autoSize_ = a;
  fit();
}
void Label::setCentered(bool c) {
  centered_ = c;
  w_->update();
}
void Label::setFont(const QString& face, double points, bool bold, bool italic) {
  face_ = face;
  fontSize_ = points;
  bold_ = bold;
  italic_ = italic;
  fit();
  w_->update();
}
void Label::setFontSize(double points) {
  fontSize_ = points;
  fit();
  w_->update();
}

void Label::copyLookFrom(const Label& o) {
  caption_ = o.caption_;
  fore_ = o.fore_;
  back_ = o.back_;
  opaque_ = o.opaque_;
  autoSize_ = o.autoSize_;
  centered_ = o.centered_;
  face_ = o.face_;
  fontSize_ = o.fontSize_;
  bold_ = o.bold_;
  italic_ = o.italic_;
  Control::Move(o.left_, o.top_, o.width_, o.height_);
  // The same caption in the same font comes to the same size: a label not
  // yet measured leaves the measuring to its copy too (the move above has
  // dropped any measuring of the copy's own).
  if (o.fitPending_) fit();
  w_->setToolTip(o.w_->toolTip());
  w_->update();
}

// A label sized to its text grows or shrinks to its caption, keeping its
// top-left corner.
void Label::fit() {
  if (!autoSize_) return;
  if (!w_->isVisible()) {
    fitPending_ = true;
    return;
  }
  fitNow();
}

void Label::settle() const {
  if (!fitPending_) return;
  fitPending_ = false;
  const_cast<Label*>(this)->fitNow();
}

void Label::fitNow() {
  QFontMetrics fm(qfont());
  QString text = caption_;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = text.split(QLatin1Char('\n'));
  int w = 0;
  for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
  const int h = fm.height() * static_cast<int>(lines.size());
  Control::Move(left_, top_, toTwips(w), toTwips(h));  // no longer pending
}

}  // namespace kv
