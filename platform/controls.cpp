#include "platform/controls.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QValidator>

#include "platform/fonts.h"
#include "platform/twips.h"

namespace kv {

// ---------------------------------------------------------------- Control

void Control::Move(double left, double top, double width, double height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  const int x = toPx(left), y = toPx(top);
  w_->setGeometry(x, y, std::max(0, toPx(left + width) - x), std::max(0, toPx(top + height) - y));
}

void Control::placePx(int x, int y, int w, int h) {
  Move(toTwips(x), toTwips(y), toTwips(w), toTwips(h));
}

void Control::setVisible(bool v) {
  visible_ = v;
  w_->setVisible(v);
}

void Control::setEnabled(bool v) {
  enabled_ = v;
  w_->setEnabled(v);
}

void Control::setToolTipText(const QString& t) { w_->setToolTip(t); }
QString Control::ToolTipText() const { return w_->toolTip(); }
void Control::ZOrderFront() { w_->raise(); }

// ---------------------------------------------------------------- Label

class LabelWidget : public QWidget {
 public:
  LabelWidget(QWidget* parent, Label* owner) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_NoSystemBackground, false);
  }

 protected:
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
  w_->setToolTip(o.w_->toolTip());
  w_->update();
}

// A label sized to its text grows or shrinks to its caption, keeping its
// top-left corner.
void Label::fit() {
  if (!autoSize_) return;
  QFontMetrics fm(qfont());
  QString text = caption_;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = text.split(QLatin1Char('\n'));
  int w = 0;
  for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
  const int h = fm.height() * static_cast<int>(lines.size());
  Control::Move(left_, top_, toTwips(w), toTwips(h));
}

// ---------------------------------------------------------------- Button

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

// ---------------------------------------------------------------- TextBox

// The maximum length limits what the user types, pastes or composes, not
// what the program puts in the box.
// Every way into the box (typing, pasting, the X11 selection on a middle
// click, an input method) ends in the line edit's validation: a text that
// grew past the limit loses what was inserted last. The program's own texts
// (the letter keys) may be longer.
class LengthLimit : public QValidator {
 public:
  LengthLimit(QObject* parent, const int* maxLength) : QValidator(parent), max_(maxLength) {}
  State validate(QString& text, int& pos) const override {
    const qsizetype limit = std::max<qsizetype>(*max_, before.size());
    if (!programText && text.size() > limit) {
      const int cut = static_cast<int>(std::min<qsizetype>(text.size() - limit, pos));
      pos -= cut;
      text.remove(pos, cut);
    }
    return Acceptable;
  }
  QString before;  // the text before the change
  bool programText = false;

 private:
  const int* max_;
};

class TextEdit : public QLineEdit {
 public:
  TextEdit(QWidget* parent, TextBox* owner)
      : QLineEdit(parent), owner_(owner), limit_(new LengthLimit(this, &owner->maxLength_)) {
    setValidator(limit_);
    // Drops and the context menu's paste would get past the length limit.
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::textChanged, [this] {
      limit_->before = text();
      if (owner_->onChange) owner_->onChange();
    });
    connect(this, &QLineEdit::returnPressed, [this] {
      if (owner_->onEnter) owner_->onEnter();
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->matches(QKeySequence::Paste)) {
      if (const QClipboard* cb = QGuiApplication::clipboard())
        typeText(cb->text().split(QLatin1Char('\n')).value(0));
      return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
      typeText(owner_->upperCaseTyping ? t.toUpper() : t);
      return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    const QString commit = e->commitString();
    if (!commit.isEmpty() && roomFor() < commit.size()) {
      QInputMethodEvent cut(e->preeditString(), e->attributes());
      cut.setCommitString(commit.left(std::max(0, static_cast<int>(roomFor()))),
                          e->replacementStart(), e->replacementLength());
      QLineEdit::inputMethodEvent(&cut);
      return;
    }
    QLineEdit::inputMethodEvent(e);
  }

 private:
  qsizetype roomFor() const { return owner_->maxLength_ - (text().size() - selectedText().size()); }
  void typeText(const QString& t) {
    const qsizetype room = roomFor();
    if (room <= 0 || t.isEmpty()) return;
    insert(t.left(room));
  }
  TextBox* owner_;

 public:
  LengthLimit* limit_;
};

TextBox::TextBox(QWidget* parent) : Control(new TextEdit(parent, this)) {}
QString TextBox::Text() const { return edit()->text(); }
void TextBox::setText(const QString& t) {
  LengthLimit& limit = *static_cast<TextEdit*>(edit())->limit_;
  limit.programText = true;
  edit()->setText(t);
  limit.programText = false;
}
void TextBox::setMaxLength(int n) { maxLength_ = n; }
void TextBox::setColors(Color fore, Color back) {
  QPalette pal = edit()->palette();
  pal.setColor(QPalette::Text, QColor(toQRgb(fore)));
  pal.setColor(QPalette::Base, QColor(toQRgb(back)));
  edit()->setPalette(pal);
}
void TextBox::setFont(const QString& face, double points) {
  edit()->setFont(makeFont(face, points));
}

// ---------------------------------------------------------------- Line

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

// ---------------------------------------------------------------- Picture

class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, Picture* owner) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.drawImage(e->rect().topLeft(), owner_->image(), e->rect());
    const QRect outside = rect().adjusted(owner_->image().width(), 0, 0, 0);
    if (outside.isValid()) p.fillRect(outside, QColor(toQRgb(owner_->BackColor())));
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
  resizeImage();
}

// The persistent image only grows: shrinking a picture keeps what was drawn,
// as an image kept at its largest size would.
void Picture::resizeImage() {
  const int w = std::max(img_.width(), w_->width());
  const int h = std::max(img_.height(), w_->height());
  if (w == img_.width() && h == img_.height()) return;
  QImage n(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  n.fill(toQRgb(back_));
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
  Raster(img_, DrawMode).line(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c, DrawWidth);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::Box(double x1, double y1, double x2, double y2, Color c) {
  Raster(img_, DrawMode).box(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c, DrawWidth);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::BoxFilled(double x1, double y1, double x2, double y2, Color c) {
  Raster(img_, DrawMode).fill(toPx(x1), toPx(y1), toPx(x2), toPx(y2), c);
  CurrentX = x2;
  CurrentY = y2;
  markDirty(toPx(x1), toPx(y1), toPx(x2), toPx(y2));
}

void Picture::PSet(double x, double y, Color c) {
  Raster(img_, DrawMode).dot(toPx(x), toPx(y), c, DrawWidth);
  CurrentX = x;
  CurrentY = y;
  markDirty(toPx(x), toPx(y), toPx(x), toPx(y));
}

Color Picture::Point(double x, double y) const {
  const int px = toPx(x), py = toPx(y);
  if (px >= w_->width() || py >= w_->height()) return -1;
  return readPixel(img_, px, py);
}

// Text is drawn on a transparent ground in the fore colour; the pen's draw
// mode does not apply to text.
void Picture::Print(const QString& text) {
  QPainter p(&img_);
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
  img_.fill(toQRgb(back_));
  QPainter p(&img_);
  p.drawImage(0, 0, pic);
  markDirty();
}

void Picture::Cls() {
  if (!img_.isNull()) img_.fill(toQRgb(back_));
  CurrentX = CurrentY = 0;
  markDirty();
}

void Picture::Refresh() { w_->repaint(); }

}  // namespace kv
