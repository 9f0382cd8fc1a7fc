#include "platform/text_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>

#include "platform/fonts.h"

namespace kv {

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

// The maximum length limits what the user types, pastes or composes, not
// what the program puts in the box.
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
TextBox::~TextBox() { delete edit(); }
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

}  // namespace kv
