#include "settings/profile_file.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/cp932.h"

namespace kv {
namespace {

const QByteArray kLineBreak = QByteArrayLiteral("\r\n");

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Neither blanks, tabs, "=", quotes nor line breaks can be the second byte of
// a double-byte character, so scanning bytes for them is safe; "]" can, and
// is looked for with findLastCloseBracket.
qsizetype skipBlanks(const char* d, qsizetype from, qsizetype to) {
  while (from < to && isBlank(d[from])) ++from;
  return from;
}
qsizetype trimBlanksBack(const char* d, qsizetype from, qsizetype to) {
  while (to > from && isBlank(d[to - 1])) --to;
  return to;
}

// Position of the last "]" in [from, to) that stands as a character of its
// own, or -1.
qsizetype findLastCloseBracket(const char* d, qsizetype from, qsizetype to) {
  qsizetype found = -1;
  for (qsizetype i = from; i < to;) {
    if (d[i] == ']') found = i;
    i += (isCp932LeadByte(static_cast<unsigned char>(d[i])) && i + 1 < to) ? 2 : 1;
  }
  return found;
}

QString decodeTrimmed(const char* d, qsizetype from, qsizetype to) {
  from = skipBlanks(d, from, to);
  to = trimBlanksBack(d, from, to);
  return fromCp932(QByteArray(d + from, to - from));
}

bool sameName(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// A line break inside a name or value would split the line in two.
QString oneLine(QString s) {
  s.replace(u'\r', u' ');
  s.replace(u'\n', u' ');
  return s;
}

}  // namespace

ProfileFile::ProfileFile(QByteArray bytes) : bytes_(std::move(bytes)) {}

bool ProfileFile::load(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    bytes_.clear();
    return true;
  }
  if (info.isDir()) return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) return false;
  bytes_ = std::move(data);
  return true;
}

bool ProfileFile::save(const QString& path) const {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  // Qt 6.4's commit() renames the file even when flushing its buffer fails
  // (a full disk gives a truncated file), so the flush is checked here, and
  // the data is on the disk before the rename makes it the settings file.
  if (f.write(bytes_) != bytes_.size() || !f.flush() || ::fsync(f.handle()) != 0) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

std::vector<ProfileFile::Line> ProfileFile::parse() const {
  std::vector<Line> lines;
  const char* d = bytes_.constData();
  const qsizetype n = bytes_.size();
  for (qsizetype pos = 0; pos < n;) {
    Line l;
    l.begin = pos;
    qsizetype e = pos;
    while (e < n && d[e] != '\r' && d[e] != '\n') ++e;
    l.end = e;
    l.next = e == n ? n : (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') ? e + 2 : e + 1;
    pos = l.next;

    const qsizetype s = skipBlanks(d, l.begin, l.end);
    if (s == l.end || d[s] == ';') {
      lines.push_back(l);
      continue;
    }
    if (d[s] == '[') {
      const qsizetype close = findLastCloseBracket(d, s + 1, l.end);
      if (close >= 0) {
        l.kind = Kind::Section;
        l.name = decodeTrimmed(d, s + 1, close);
        lines.push_back(l);
        continue;
      }
    }
    const qsizetype eq = bytes_.indexOf('=', s);
    if (eq >= 0 && eq < l.end) {
      l.name = decodeTrimmed(d, s, eq);
      if (!l.name.isEmpty()) {
        l.kind = Kind::Key;
        l.valueBegin = eq + 1;
      }
    }
    lines.push_back(l);
  }
  return lines;
}

ProfileFile::Found ProfileFile::find(const std::vector<Line>& lines, const QString& section,
                                     const QString& key) const {
  Found f;
  for (qsizetype i = 0; i < static_cast<qsizetype>(lines.size()); ++i) {
    const Line& l = lines[i];
    if (l.kind == Kind::Section) {
      // Only the first section of a name counts.
      if (f.section >= 0) break;
      if (sameName(l.name, section)) f.section = f.lastLine = i;
    } else if (l.kind == Kind::Key && f.section >= 0) {
      f.lastLine = i;
      if (f.key < 0 && sameName(l.name, key)) f.key = i;
    }
  }
  return f;
}

QString ProfileFile::value(const QString& section, const QString& key) const {
  const std::vector<Line> lines = parse();
  const Found f = find(lines, section.trimmed(), key.trimmed());
  if (f.key < 0) return {};
  const Line& l = lines[f.key];
  const char* d = bytes_.constData();
  qsizetype from = skipBlanks(d, l.valueBegin, l.end);
  qsizetype to = trimBlanksBack(d, from, l.end);
  if (to - from >= 2 && (d[from] == '"' || d[from] == '\'') && d[to - 1] == d[from]) {
    ++from;
    --to;
  }
  // Text after a NUL is not part of the value.
  for (qsizetype i = from; i < to; ++i) {
    if (d[i] == '\0') {
      to = i;
      break;
    }
  }
  to = from + cp932PrefixLength(d + from, to - from, kProfileValueMaxBytes);
  return fromCp932(QByteArray(d + from, to - from));
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
  const QString sec = oneLine(section).trimmed();
  const QString k = oneLine(key).trimmed();
  if (sec.isEmpty() || k.isEmpty()) return;
  const QByteArray val = toCp932(oneLine(value));
  const QByteArray keyLine = toCp932(k) + '=' + val + kLineBreak;

  const std::vector<Line> lines = parse();
  const Found f = find(lines, sec, k);
  if (f.section < 0) {
    if (!bytes_.isEmpty() && !bytes_.endsWith('\n') && !bytes_.endsWith('\r')) bytes_ += kLineBreak;
    bytes_ += '[' + toCp932(sec) + ']' + kLineBreak + keyLine;
    return;
  }
  if (f.key >= 0) {
    // Everything up to "=" stays as written, so the key keeps its spelling.
    const Line& l = lines[f.key];
    bytes_.replace(l.valueBegin, l.next - l.valueBegin, val + kLineBreak);
    return;
  }
  const Line& after = lines[f.lastLine];
  if (after.next == after.end) {
    // The last line of the file had no line break.
    bytes_.insert(after.end, kLineBreak + keyLine);
  } else {
    bytes_.insert(after.next, keyLine);
  }
}

}  // namespace kv
