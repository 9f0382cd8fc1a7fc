#pragma once
// The window's controls as the game sees them: positions and sizes in twips,
// captions, colours, fonts, visibility, enabled states and click handlers.
// Each wraps one Qt widget (or menu action) that shows it.
#include <QAction>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/raster.h"
#include "platform/vbnum.h"

namespace kv {

class Control {
 public:
  explicit Control(QWidget* w) : w_(w) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void setLeft(double v) { Move(v, top_, width_, height_); }
  void setTop(double v) { Move(left_, v, width_, height_); }
  void setWidth(double v) { Move(left_, top_, v, height_); }
  void setHeight(double v) { Move(left_, top_, width_, v); }
  virtual void Move(double left, double top, double width, double height);
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
  QWidget* w_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
};

// A label: opaque or transparent, sized to its text or wrapping inside its
// width, left-aligned or centred.
class Label : public Control {
 public:
  explicit Label(QWidget* parent);
  QString Caption() const { return caption_; }
  void setCaption(const QString& c);
  Color ForeColor() const { return fore_; }
  void setForeColor(Color c);
  Color BackColor() const { return back_; }
  void setBackColor(Color c);
  void setOpaque(bool o);
  void setAutoSize(bool a);
  void setCentered(bool c);
  void setFont(const QString& face, double points, bool bold = false, bool italic = false);
  double FontSize() const { return fontSize_; }
  void setFontSize(double points);
  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void()> onMouseMove;

  // Copies the look (font, colours, size, alignment, transparency) of another.
  void copyLookFrom(const Label& other);
  QFont qfont() const;

 private:
  void fit();
  QString caption_;
  Color fore_ = 0;
  Color back_ = rgb(192, 192, 192);
  bool opaque_ = true, autoSize_ = false, centered_ = false;
  QString face_;
  double fontSize_ = 12;
  bool bold_ = false, italic_ = false;
  friend class LabelWidget;
};

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
  QPushButton* button() const { return static_cast<QPushButton*>(w_); }
};

class TextBox : public Control {
 public:
  explicit TextBox(QWidget* parent);
  QString Text() const;
  void setText(const QString& t);
  void setMaxLength(int n);
  void setColors(Color fore, Color back);
  void setFont(const QString& face, double points);
  QLineEdit* edit() const { return static_cast<QLineEdit*>(w_); }
  // Typed letters become upper case.
  bool upperCaseTyping = false;
  // Every change of the text, by the user or the program.
  std::function<void()> onChange;
  // Enter pressed in the box.
  std::function<void()> onEnter;

 private:
  friend class TextEdit;
  int maxLength_ = 32767;
};

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

// A picture box with a persistent image that survives hiding and covering.
class Picture : public Control {
 public:
  explicit Picture(QWidget* parent);
  void Move(double left, double top, double width, double height) override;

  QImage& image() { return img_; }
  const QImage& image() const { return img_; }
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
  void resizeImage();
  QImage img_;
  Color back_ = rgb(255, 255, 255);
  QString face_;
  double fontSize_ = 12;
  bool bold_ = false;
};

// A menu item (or a submenu's title).
class MenuItem {
 public:
  explicit MenuItem(QAction* a) : a_(a) {}
  QString Caption() const { return a_->text(); }
  void setCaption(const QString& c) { a_->setText(c); }
  bool Checked() const { return a_->isChecked(); }
  void setChecked(bool c) {
    a_->setCheckable(true);
    a_->setChecked(c);
  }
  bool Enabled() const { return a_->isEnabled(); }
  void setEnabled(bool e) { a_->setEnabled(e); }
  bool Visible() const { return a_->isVisible(); }
  void setVisible(bool v) { a_->setVisible(v); }
  QAction* action() const { return a_; }
  // Runs the click handler as a choice of the item would.
  void click() { a_->trigger(); }

 private:
  QAction* a_;
};

}  // namespace kv
