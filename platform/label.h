#pragma once
#include <QFont>
#include <QString>
#include <functional>

#include "platform/control.h"
#include "platform/raster.h"

namespace kv {

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

 protected:
  void settle() const override;
  void dropPendingSize() override { fitPending_ = false; }

 private:
  friend class LabelWidget;
  void fit();
  void fitNow();
  // A hidden label sized to its text measures it only when it is shown or
  // its size is asked for: measuring loads the font, which a label that
  // never shows need not.
  mutable bool fitPending_ = false;
  QString caption_;
  Color fore_ = 0;
  Color back_ = rgb(192, 192, 192);
  bool opaque_ = true, autoSize_ = false, centered_ = false;
  QString face_;
  double fontSize_ = 12;
  bool bold_ = false, italic_ = false;
};

}  // namespace kv
