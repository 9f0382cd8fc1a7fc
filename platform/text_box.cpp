#include "platform/text_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "platform/fonts.h"

namespace kv {

// The maximum length limits what the user types, pastes or composes, not
// what the program puts in the box.
class TextEdit : public QLineEdit {
 public:
  TextEdit(QWidget* parent, TextBox* owner) : QLineEdit(parent), owner_(owner) {
    // Drops and the context menu's paste would get past the length limit.
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::textChanged, [this] {
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
};

TextBox::TextBox(QWidget* parent) : Control(new TextEdit(parent, this)) {}
QString TextBox::Text() const { return edit()->text(); }
void TextBox::setText(const QString& t) { edit()->setText(t); }
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
