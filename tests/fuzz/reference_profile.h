#pragma once
// A plain reader and writer of profile files that parses the whole text again
// for every key. It is slow but obviously faithful to the file's rules, and
// ProfileFile must agree with it byte for byte. It reads code page 932, or
// UTF-8 (the text of a file with a byte-order mark, without the mark).
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <vector>

#include "platform/cp932.h"

namespace kv::fuzz {

class ReferenceProfile {
 public:
  explicit ReferenceProfile(QByteArray b, bool utf8 = false) : b_(std::move(b)), utf8_(utf8) {}
  const QByteArray& bytes() const { return b_; }

  QString value(const QString& section, const QString& key) const {
    const auto lines = parse();
    const Found f = find(lines, section.trimmed(), key.trimmed());
    if (f.key < 0) return {};
    const Line& l = lines[f.key];
    const char* d = b_.constData();
    qsizetype from = skip(d, l.valueBegin, l.end), to = trimBack(d, from, l.end);
    if (to - from >= 2 && (d[from] == '"' || d[from] == '\'') && d[to - 1] == d[from]) ++from, --to;
    for (qsizetype i = from; i < to; ++i)
      if (d[i] == '\0') to = i;
    if (!utf8_) return fromCp932(QByteArray(d + from, cp932PrefixLength(d + from, to - from, 199)));
    // As much of the text as takes 199 bytes in code page 932.
    const QString all = utf8(d + from, to - from);
    QString out;
    for (qsizetype i = 0, bytes = 0; i < all.size(); ++i) {
      QString c = all.mid(i, all[i].isHighSurrogate() && i + 1 < all.size() ? 2 : 1);
      if ((bytes += toCp932(c).size()) > 199) break;
      out += c;
      i += c.size() - 1;
    }
    return out;
  }

  void setValue(const QString& section, const QString& key, const QString& value) {
    const QString sec = oneLine(section).trimmed(), k = oneLine(key).trimmed();
    if (sec.isEmpty() || k.isEmpty()) return;
    QByteArray val = encode(oneLine(value));
    // A value that reads as quoted is quoted once more.
    const char* d = val.constData();
    const qsizetype from = skip(d, 0, val.size()), to = trimBack(d, from, val.size());
    if (to - from >= 2 && (d[from] == '"' || d[from] == '\'') && d[to - 1] == d[from])
      val = '"' + val + '"';
    const QByteArray keyLine = encode(k) + '=' + val + "\r\n";
    const auto lines = parse();
    const Found f = find(lines, sec, k);
    if (f.section < 0) {
      if (!b_.isEmpty() && !b_.endsWith('\n') && !b_.endsWith('\r')) b_ += "\r\n";
      b_ += '[' + encode(sec) + "]\r\n" + keyLine;
    } else if (f.key >= 0) {
      const Line& l = lines[f.key];
      b_.replace(l.valueBegin, l.next - l.valueBegin, val + "\r\n");
    } else if (const Line& a = lines[f.lastLine]; a.next == a.end) {
      b_.insert(a.end, "\r\n" + keyLine);
    } else {
      b_.insert(a.next, keyLine);
    }
  }

 private:
  enum Kind { Other, Section, Key };
  struct Line {
    qsizetype begin = 0, end = 0, next = 0;
    Kind kind = Other;
    QString name;
    qsizetype valueBegin = 0;
  };
  struct Found {
    qsizetype section = -1, key = -1, lastLine = -1;
  };
  static bool blank(char c) { return c == ' ' || c == '\t'; }
  static qsizetype skip(const char* d, qsizetype f, qsizetype t) {
    while (f < t && blank(d[f])) ++f;
    return f;
  }
  static qsizetype trimBack(const char* d, qsizetype f, qsizetype t) {
    while (t > f && blank(d[t - 1])) --t;
    return t;
  }
  QString name(const char* d, qsizetype f, qsizetype t) const {
    f = skip(d, f, t);
    const QByteArray b(d + f, trimBack(d, f, t) - f);
    return utf8_ ? utf8(b.constData(), b.size()) : fromCp932(b);
  }
  // The file's mark is gone; a U+FEFF left at the start of a piece of its
  // text is a character (QString::fromUtf8 would drop it).
  static QString utf8(const char* d, qsizetype n) {
    using D = QStringDecoder;
    return D(D::Utf8, D::Flag::Stateless | D::Flag::ConvertInitialBom)(QByteArrayView(d, n));
  }
  QByteArray encode(const QString& s) const { return utf8_ ? s.toUtf8() : toCp932(s); }
  static QString oneLine(QString s) { return s.replace(u'\r', u' ').replace(u'\n', u' '); }

  std::vector<Line> parse() const {
    std::vector<Line> lines;
    const char* d = b_.constData();
    const qsizetype n = b_.size();
    for (qsizetype pos = 0; pos < n;) {
      qsizetype e = pos;
      while (e < n && d[e] != '\r' && d[e] != '\n') ++e;
      Line l;
      l.begin = pos;
      l.end = e;
      l.next = e == n ? n : (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') ? e + 2 : e + 1;
      pos = l.next;
      const qsizetype s = skip(d, l.begin, l.end);
      if (s < l.end && d[s] != ';') {
        qsizetype close = -1;
        if (d[s] == '[')
          for (qsizetype i = s + 1; i < l.end;
               i += !utf8_ && isCp932LeadByte(d[i]) && i + 1 < l.end ? 2 : 1)
            if (d[i] == ']') close = i;
        qsizetype eq = s;
        while (eq < l.end && d[eq] != '=') ++eq;
        if (close >= 0) {
          l.kind = Section;
          l.name = name(d, s + 1, close);
        } else if (eq < l.end && !(l.name = name(d, s, eq)).isEmpty()) {
          l.kind = Key;
          l.valueBegin = eq + 1;
        }
      }
      lines.push_back(l);
    }
    return lines;
  }

  static Found find(const std::vector<Line>& lines, const QString& section, const QString& key) {
    Found f;
    for (qsizetype i = 0; i < static_cast<qsizetype>(lines.size()); ++i) {
      const Line& l = lines[i];
      if (l.kind == Section) {
        if (f.section >= 0) break;
        if (QString::compare(l.name, section, Qt::CaseInsensitive) == 0) f.section = f.lastLine = i;
      } else if (l.kind == Key && f.section >= 0) {
        f.lastLine = i;
        if (f.key < 0 && QString::compare(l.name, key, Qt::CaseInsensitive) == 0) f.key = i;
      }
    }
    return f;
  }

  QByteArray b_;
  bool utf8_;
};

}  // namespace kv::fuzz
