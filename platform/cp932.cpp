#include "platform/cp932.h"

#include <utility>

namespace kv {
namespace {

// Whether the code page holds the character `c` (one code point, one or two
// UTF-16 units) as it is.
bool held(const QString& c) {
  if (c.size() == 1 && c[0].unicode() < 0x80) return true;
  return fromCp932(toCp932(c)) == c;
}

// Characters whose Unicode form from the JIS tables differs from the one
// code page 932 uses (the "wave dash" twins): pasted from elsewhere, each
// takes the code page's own, the same on every system.
constexpr std::pair<char16_t, char16_t> kTwins[] = {
    {u'\u301C', u'\uFF5E'},  // wave dash, full-width tilde
    {u'\u2016', u'\u2225'},  // double vertical line, parallel to
    {u'\u2212', u'\uFF0D'},  // minus sign, full-width hyphen-minus
    {u'\u2014', u'\u2015'},  // em dash, horizontal bar
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
};

// What a character the code page lacks becomes; empty when it is left out.
QString fitted(const QString& c) {
  for (const auto& [from, to] : kTwins)
    if (c.size() == 1 && c[0] == QChar(from)) return QString(QChar(to));
  // The conversion's best fit: anything but the "?" of no fit at all.
  const QByteArray b = toCp932(c);
  if (b != "?") {
    const QString back = fromCp932(b);
    if (held(back)) return back;
  }
  // A letter with accents: its base letter when the code page holds it and
  // only combining marks follow.
  const QString d = c.size() == 1 ? c[0].decomposition() : QString();
  if (d.isEmpty() || c[0].decompositionTag() != QChar::Canonical) return {};
  for (qsizetype i = 1; i < d.size(); ++i)
    if (d[i].category() != QChar::Mark_NonSpacing) return {};
  const QString base = d.left(1);
  return held(base) ? base : fitted(base);
}

}  // namespace

qsizetype cp932PrefixLength(const char* bytes, qsizetype size, qsizetype maxBytes) {
  qsizetype i = 0;
  while (i < size) {
    const qsizetype len =
        (isCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < size) ? 2 : 1;
    if (i + len > maxBytes) break;
    i += len;
  }
  return i;
}

QString fitToCp932(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype len =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    const QString c = text.mid(i, len);
    out += held(c) ? c : fitted(c);
    i += len;
  }
  return out;
}

}  // namespace kv
