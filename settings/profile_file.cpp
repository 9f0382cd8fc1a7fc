#include "settings/profile_file.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

#include "platform/cp932.h"
#include "settings/file_replace.h"
#include "settings/profile_line.h"

namespace kv {
namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");
const QByteArray kLineBreak("\r\n");

bool isBreak(char c) { return c == '\r' || c == '\n'; }

// A value that a reader takes for quoted (a matching pair of quotes around
// it, blanks aside) gets one more pair of double quotes: a reader removes
// one pair, so "KID" reads back with its quotes, here and elsewhere.
QByteArray keepingQuotes(const QByteArray& v) {
  qsizetype a = 0, b = v.size();
  while (a < b && isProfileBlank(v[a])) ++a;
  while (b > a && isProfileBlank(v[b - 1])) --b;
  if (b - a >= 2 && (v[a] == '"' || v[a] == '\'') && v[b - 1] == v[a]) return '"' + v + '"';
  return v;
}

}  // namespace

bool ProfileFile::load(const QString& path, int* error) {
  QByteArray data;
  int err = readWholeFile(path, data);
  if (err == ENOENT || err == ENOTDIR) {
    err = 0;
    data.clear();
  }
  if (error) *error = err;
  if (err) return false;
  read(std::move(data));
  return true;
}

SaveResult ProfileFile::save(const QString& path) const { return replaceFile(path, bytes()); }

void ProfileFile::read(QByteArray file) {
  using D = QStringDecoder;
  auto utf16 = [&file](D::Encoding e) {
    // A second mark is text of the file and is kept.
    return QString(D(e, D::Flag::Stateless | D::Flag::ConvertInitialBom)(file.sliced(2))).toUtf8();
  };
  if (file.startsWith(kUtf8Mark)) {
    enc_ = TextEncoding::Utf8;
    raw_ = file.sliced(3);
  } else if (file.startsWith(kUtf16LEMark)) {
    enc_ = TextEncoding::Utf16LE;
    raw_ = utf16(D::Utf16LE);
  } else if (file.startsWith(kUtf16BEMark)) {
    enc_ = TextEncoding::Utf16BE;
    raw_ = utf16(D::Utf16BE);
  } else {
    enc_ = TextEncoding::Cp932;
    raw_ = std::move(file);
  }
  parse();
}

void ProfileFile::parse() {
  lines_.clear();
  headers_.clear();
  headerHash_.clear();
  edits_.clear();
  sections_.clear();
  groups_ = 0;
  const char* d = raw_.constData();
  const qsizetype n = raw_.size();
  for (qsizetype pos = 0; pos < n;) {
    qsizetype e = pos;
    while (e < n && !isBreak(d[e])) ++e;
    const ProfileLine p = parseProfileLine(d, pos, e, enc_);
    if (p.kind == ProfileLine::Header) {
      headers_.push_back(static_cast<int32_t>(lines_.size()));
      headerHash_.push_back(profileNameHash(d + p.nameFrom, p.nameTo - p.nameFrom, enc_));
    }
    // Blank lines, comments and lines without "=" only need keeping as bytes.
    if (p.kind != ProfileLine::Other) lines_.push_back({pos, e, -1, p.kind});
    pos = e == n ? n : (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') ? e + 2 : e + 1;
  }
  rawLines_ = static_cast<int32_t>(lines_.size());
}

QByteArray ProfileFile::encode(const QString& s) const {
  return enc_ == TextEncoding::Cp932 ? toCp932(s) : s.toUtf8();
}

QString ProfileFile::decode(const char* d, qsizetype size) const {
  return enc_ == TextEncoding::Cp932 ? fromCp932(QByteArray(d, size)) : fromUtf8Text(d, size);
}

// The text with every edit applied, in the form held (UTF-8 for UTF-16).
QByteArray ProfileFile::text() const {
  std::vector<const Edit*> order;
  qsizetype size = raw_.size();
  for (const Edit& e : edits_) {
    order.push_back(&e);
    size += e.text.size() + 2;
  }
  // By place; an insertion before a replacement at the same place; then by
  // group, then in the order made.
  std::stable_sort(order.begin(), order.end(), [](const Edit* a, const Edit* b) {
    return std::tuple(a->at, a->to != a->at, a->group) <
           std::tuple(b->at, b->to != b->at, b->group);
  });
  QByteArray out;
  out.reserve(size);
  qsizetype pos = 0;
  for (const Edit* e : order) {
    out.append(raw_.constData() + pos, e->at - pos);
    // A last line without a line break gets one before a line that follows.
    if (e->at == e->to && !out.isEmpty() && !isBreak(out.back())) out += kLineBreak;
    out += e->text;
    pos = e->to;
  }
  out.append(raw_.constData() + pos, raw_.size() - pos);
  return out;
}

QByteArray ProfileFile::bytes() const {
  const QByteArray t = text();
  if (enc_ == TextEncoding::Cp932) return t;
  if (enc_ == TextEncoding::Utf8) return kUtf8Mark + t;
  const bool le = enc_ == TextEncoding::Utf16LE;
  QStringEncoder toUtf16(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                         QStringEncoder::Flag::Stateless);
  // Decoded so that a mark at the start of the text is kept as text.
  QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
  return (le ? kUtf16LEMark : kUtf16BEMark) + QByteArray(toUtf16(fromUtf8(t)));
}

const char* ProfileFile::lineText(const Line& l, qsizetype& begin, qsizetype& end) const {
  if (l.edit < 0) {
    begin = l.begin;
    end = l.end;
    return raw_.constData();
  }
  const QByteArray& t = edits_[static_cast<size_t>(l.edit)].text;
  begin = 0;
  end = t.size() - kLineBreak.size();
  return t.constData();
}

// The folded name of a header or key line.
QString ProfileFile::lineName(int32_t line) const {
  qsizetype b = 0, e = 0;
  const char* d = lineText(lines_[static_cast<size_t>(line)], b, e);
  const ProfileLine p = parseProfileLine(d, b, e, enc_);
  return decode(d + p.nameFrom, p.nameTo - p.nameFrom).toCaseFolded();
}

// Whether a line written reads back as meant.
bool ProfileFile::lineIs(int32_t line, ProfileLine::Kind kind, const QString& folded) const {
  qsizetype b = 0, e = 0;
  const char* d = lineText(lines_[static_cast<size_t>(line)], b, e);
  return parseProfileLine(d, b, e, enc_).kind == kind && lineName(line) == folded;
}

// Where the line after a line read begins.
qsizetype ProfileFile::nextOf(int32_t line) const {
  const qsizetype e = lines_[static_cast<size_t>(line)].end, n = raw_.size();
  if (e == n) return n;
  return raw_[e] == '\r' && e + 1 < n && raw_[e + 1] == '\n' ? e + 2 : e + 1;
}

// The section of that name (its index in sections_), or -1.
int ProfileFile::openSection(const QString& folded) const {
  for (size_t i = 0; i < sections_.size(); ++i)
    if (sections_[i].name == folded) return static_cast<int>(i);
  const uint32_t h = profileNameHash(folded);
  for (size_t i = 0; i < headers_.size(); ++i) {
    if (headerHash_[i] != h || lineName(headers_[i]) != folded) continue;
    Section s{folded, headers_[i], 0, 0, {}, {}, {}};
    const int32_t to = i + 1 < headers_.size() ? headers_[i + 1] : rawLines_;
    int32_t last = s.header;
    const char* d = raw_.constData();
    for (int32_t l = s.header + 1; l < to; ++l) {
      const Line& line = lines_[static_cast<size_t>(l)];
      if (line.kind != ProfileLine::Key) continue;
      const ProfileLine p = parseProfileLine(d, line.begin, line.end, enc_);
      const qsizetype from = p.nameFrom, to = p.nameTo;
      last = l;
      // No character of code page 932 beyond ASCII folds to ASCII, so such
      // names are decoded only when a name beyond ASCII is asked for.
      if (enc_ == TextEncoding::Cp932 &&
          std::any_of(d + from, d + to, [](char c) { return c & 0x80; }))
        s.others.push_back(l);
      else
        s.keys.emplace_back(profileNameHash(d + from, to - from, enc_), l);
    }
    std::sort(s.keys.begin(), s.keys.end());
    s.insertAt = nextOf(last);
    sections_.push_back(std::move(s));
    return static_cast<int>(sections_.size() - 1);
  }
  return -1;
}

// The first line of the section holding that key, or -1. Added keys follow
// every key read.
int32_t ProfileFile::findKey(const Section& s, const QString& folded) const {
  const bool ascii =
      std::all_of(folded.begin(), folded.end(), [](QChar c) { return c.unicode() < 0x80; });
  if (enc_ == TextEncoding::Cp932 && !ascii) {
    for (const int32_t line : s.others)
      if (lineName(line) == folded) return line;
  }
  const uint32_t h = profileNameHash(folded);
  auto it = std::lower_bound(s.keys.begin(), s.keys.end(), std::pair<uint32_t, int32_t>(h, -1));
  for (; it != s.keys.end() && it->first == h; ++it)
    if (lineName(it->second) == folded) return it->second;
  for (const auto& [hash, line] : s.added)
    if (hash == h && lineName(line) == folded) return line;
  return -1;
}

int32_t ProfileFile::addLine(QByteArray text, qsizetype at, int group) {
  edits_.push_back({at, at, group, text + kLineBreak});
  lines_.push_back({0, 0, static_cast<int32_t>(edits_.size() - 1), ProfileLine::Other});
  return static_cast<int32_t>(lines_.size() - 1);
}

QString ProfileFile::value(const QString& section, const QString& key) const {
  const int s = openSection(section.trimmed().toCaseFolded());
  if (s < 0) return {};
  const int32_t line = findKey(sections_[static_cast<size_t>(s)], key.trimmed().toCaseFolded());
  if (line < 0) return {};
  qsizetype b = 0, e = 0;
  const char* d = lineText(lines_[static_cast<size_t>(line)], b, e);
  qsizetype from = parseProfileLine(d, b, e, enc_).valueBegin, to = e;
  while (from < to && isProfileBlank(d[from])) ++from;
  while (to > from && isProfileBlank(d[to - 1])) --to;
  if (to - from >= 2 && (d[from] == '"' || d[from] == '\'') && d[to - 1] == d[from]) {
    ++from;
    --to;
  }
  if (const void* nul = std::memchr(d + from, '\0', static_cast<size_t>(to - from)))
    to = static_cast<const char*>(nul) - d;
  if (enc_ == TextEncoding::Cp932)
    return fromCp932(
        QByteArray(d + from, cp932PrefixLength(d + from, to - from, kProfileValueMaxBytes)));
  // No character takes more than four bytes, nor less than one in code page 932.
  return cutToCp932Bytes(decode(d + from, std::min(to - from, 4 * kProfileValueMaxBytes + 4)),
                         kProfileValueMaxBytes);
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
  auto oneLine = [](QString s) { return s.replace(u'\r', u' ').replace(u'\n', u' '); };
  const QString sec = oneLine(section).trimmed(), k = oneLine(key).trimmed();
  if (sec.isEmpty() || k.isEmpty()) return;
  const QString folded = sec.toCaseFolded(), foldedKey = k.toCaseFolded();
  const QByteArray val = keepingQuotes(encode(oneLine(value)));

  // Edits whose line does not read back as meant (a value that makes a
  // header, a name that the encoding cannot hold or that holds "=") change
  // the file in ways that only reading it again follows.
  bool asMeant = true;
  int s = openSection(folded);
  if (s < 0) {
    const int group = ++groups_;
    const int32_t header = addLine('[' + encode(sec) + ']', raw_.size(), group);
    const int32_t line = addLine(encode(k) + '=' + val, raw_.size(), group);
    sections_.push_back(
        {folded, header, raw_.size(), group, {}, {}, {{profileNameHash(foldedKey), line}}});
    asMeant =
        lineIs(header, ProfileLine::Header, folded) && lineIs(line, ProfileLine::Key, foldedKey);
  } else if (const int32_t line = findKey(sections_[static_cast<size_t>(s)], foldedKey);
             line >= 0) {
    // Everything up to "=" stays as written, so the key keeps its spelling.
    Line& l = lines_[static_cast<size_t>(line)];
    qsizetype b = 0, e = 0;
    const char* d = lineText(l, b, e);
    QByteArray text =
        QByteArray(d + b, parseProfileLine(d, b, e, enc_).valueBegin - b) + val + kLineBreak;
    if (l.edit >= 0) {
      edits_[static_cast<size_t>(l.edit)].text = std::move(text);
    } else {
      edits_.push_back({l.begin, nextOf(line), 0, std::move(text)});
      l.edit = static_cast<int32_t>(edits_.size() - 1);
    }
    asMeant = lineIs(line, ProfileLine::Key, foldedKey);
  } else {
    Section& sc = sections_[static_cast<size_t>(s)];
    const int32_t added = addLine(encode(k) + '=' + val, sc.insertAt, sc.group);
    sc.added.emplace_back(profileNameHash(foldedKey), added);
    asMeant = lineIs(added, ProfileLine::Key, foldedKey);
  }
  if (!asMeant) {
    raw_ = text();
    parse();
  }
}

}  // namespace kv
