#include "platform/text_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>

#include "platform/fonts.h"

namespace kv {
namespace {

// At most `n` units of `s`, without half a surrogate pair.
QString leftWhole(const QString& s, qsizetype n) {
  if (n <= 0) return {};
  if (n < s.size() && s[n - 1].isHighSurrogate() && s[n].isLowSurrogate()) --n;
  return s.left(n);
}

}  // namespace

// Every way into the box (typing, pasting, the X11 selection on a middle
// click, an input method) ends in the line edit's validation: what was
// inserted passes through the box's fold, and a text that grew past the
// limit loses what was inserted last, in whole characters. The program's
// own texts (the letter keys) may be longer.
class LengthLimit : public QValidator {
 public:
  LengthLimit(QObject* parent, const TextBox* box) : QValidator(parent), box_(box) {}
  State validate(QString& text, int& pos) const override {
    if (programText) return Acceptable;
    if (box_->fold) foldInserted(text, pos);
    const qsizetype limit = std::max<qsizetype>(box_->maxLength_, before.size());
    if (text.size() > limit) {
      qsizetype cut = std::min<qsizetype>(text.size() - limit, pos);
      if (cut < pos && text[pos - cut - 1].isHighSurrogate() && text[pos - cut].isLowSurrogate())
        ++cut;
      pos -= static_cast<int>(cut);
      text.remove(pos, cut);
    }
    return Acceptable;
  }
  QString before;  // the text before the change
  bool programText = false;

 private:
  // The change is what lies between the part the text shares with the text
  // before at its start and the part it shares at its end.
  void foldInserted(QString& text, int& pos) const {
    qsizetype head = 0, tail = 0;
    const qsizetype most = std::min(text.size(), before.size());
    while (head < most && text[head] == before[head]) ++head;
    if (head > 0 && text[head - 1].isHighSurrogate()) --head;
    while (tail < most - head && text[text.size() - 1 - tail] == before[before.size() - 1 - tail])
      ++tail;
    if (tail > 0 && text[text.size() - tail].isLowSurrogate()) --tail;
    const qsizetype size = text.size() - head - tail;
    if (size <= 0) return;
    const QString folded = box_->fold(text.mid(head, size));
    text.replace(head, size, folded);
    // The cursor stays after the insertion when it was there.
    if (pos >= head + size)
      pos += static_cast<int>(folded.size() - size);
    else if (pos > head)
      pos = static_cast<int>(head + std::min<qsizetype>(pos - head, folded.size()));
  }
  const TextBox* box_;
};

// The maximum length limits what the user types, pastes or composes, not
// what the program puts in the box.
class TextEdit : public QLineEdit {
 public:
  TextEdit(QWidget* parent, TextBox* owner)
      : QLineEdit(parent), owner_(owner), limit_(new LengthLimit(this, owner)) {
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
        typeText(folded(cb->text().split(QLatin1Char('\n')).value(0)));
      return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
      typeText(folded(owner_->upperCaseTyping ? t.toUpper() : t));
      return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    const QString commit = e->commitString();
    const QString kept = leftWhole(folded(commit), roomFor());
    if (kept != commit) {
      QInputMethodEvent cut(e->preeditString(), e->attributes());
      cut.setCommitString(kept, e->replacementStart(), e->replacementLength());
      QLineEdit::inputMethodEvent(&cut);
      return;
    }
    QLineEdit::inputMethodEvent(e);
  }

 private:
  qsizetype roomFor() const { return owner_->maxLength_ - (text().size() - selectedText().size()); }
  QString folded(const QString& t) const { return owner_->fold ? owner_->fold(t) : t; }
  void typeText(const QString& t) {
    const qsizetype room = roomFor();
    if (room <= 0 || t.isEmpty()) return;
    insert(leftWhole(t, room));
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
