#include "settings/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/cp932.h"

namespace kv {
namespace {

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

// Printable ASCII that decodes to itself in every form of the code page
// (0x5C and 0x7E are left to the converter).
bool plainByte(unsigned char c) { return c >= 0x20 && c < 0x7F && c != 0x5C && c != 0x7E; }

// A name as looked up: blanks and tabs around it removed, decoded, case
// folded.
QString foldedName(const char* d, qsizetype from, qsizetype to) {
  from = skipBlanks(d, from, to);
  to = trimBlanksBack(d, from, to);
  bool plain = true;
  for (qsizetype i = from; i < to && plain; ++i)
    plain = plainByte(static_cast<unsigned char>(d[i]));
  const QString name =
      plain ? QString::fromLatin1(d + from, to - from) : fromCp932(QByteArray(d + from, to - from));
  return name.toCaseFolded();
}

constexpr uint64_t kFnvBasis = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

uint64_t hashFolded(const QString& folded) {
  uint64_t h = kFnvBasis;
  for (QChar c : folded) h = (h ^ c.unicode()) * kFnvPrime;
  return h;
}

// The hash of a decoded, folded name, built without a QString: folding is
// one code point to one, as QString::toCaseFolded does it.
uint64_t decodedNameHash(const char* d, qsizetype size) {
  thread_local std::vector<char16_t> units;
  fromCp932(d, size, units);
  uint64_t h = kFnvBasis;
  auto add = [&h](char16_t u) { h = (h ^ u) * kFnvPrime; };
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    if (QChar::isHighSurrogate(cp) && i + 1 < units.size() && QChar::isLowSurrogate(units[i + 1])) {
      cp = QChar::surrogateToUcs4(units[i], units[i + 1]);
      ++i;
    }
    cp = QChar::toCaseFolded(cp);
    if (QChar::requiresSurrogates(cp)) {
      add(QChar::highSurrogate(cp));
      add(QChar::lowSurrogate(cp));
    } else {
      add(static_cast<char16_t>(cp));
    }
  }
  return h;
}

// The hash of foldedName(d, from, to), without building the name when it is
// plain ASCII, which folds byte by byte.
uint64_t nameHash(const char* d, qsizetype from, qsizetype to) {
  from = skipBlanks(d, from, to);
  to = trimBlanksBack(d, from, to);
  uint64_t h = kFnvBasis;
  for (qsizetype i = from; i < to; ++i) {
    const auto c = static_cast<unsigned char>(d[i]);
    if (!plainByte(c)) return decodedNameHash(d + from, to - from);
    h = (h ^ static_cast<uint64_t>(c >= 'A' && c <= 'Z' ? c + 32 : c)) * kFnvPrime;
  }
  return h;
}

QString folded(const QString& name) { return name.toCaseFolded(); }

// A line break inside a name or value would split the line in two.
QString oneLine(QString s) {
  s.replace(u'\r', u' ');
  s.replace(u'\n', u' ');
  return s;
}

// Writes all of `data`, retrying short writes and interrupted calls.
bool writeAll(int fd, const char* data, qsizetype size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= n;
  }
  return true;
}

bool syncFolder(const QByteArray& dir) {
  const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// The file a path finally names: symbolic links followed, each relative
// target taken from the folder of its link. A link to a missing file gives
// that missing file, which the save then creates.
QByteArray resolveLinks(QByteArray path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    QByteArray target(static_cast<qsizetype>(st.st_size) + 256, Qt::Uninitialized);
    const ssize_t n =
        ::readlink(path.constData(), target.data(), static_cast<size_t>(target.size()));
    if (n < 0 || n >= target.size()) return {};
    target.truncate(n);
    if (!target.startsWith('/')) {
      const qsizetype slash = path.lastIndexOf('/');
      target = (slash >= 0 ? path.left(slash + 1) : QByteArray()) + target;
    }
    path = target;
  }
  return {};  // a loop of links
}

// Creates the file that will replace the settings file, in the same folder.
// An unnamed file is preferred: a save killed before the rename leaves
// nothing behind. Without that support, a named temporary is used. `name`
// receives the temporary's name, if any.
int createReplacement(const QByteArray& dir, const QByteArray& target, QByteArray& name) {
  name.clear();
  int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd >= 0) return fd;
  QByteArray pattern = target + ".XXXXXX";
  fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) name = pattern;
  return fd;
}

// Gives an unnamed file a temporary name beside the target, so it can be
// renamed over it.
bool nameReplacement(int fd, const QByteArray& target, QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray candidate =
        target + ".new" + QByteArray::number(::getpid()) + "-" + QByteArray::number(attempt);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW) ==
        0) {
      name = candidate;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

enum class Kind { Other, Section, Key };

// The extent of the line that starts at `begin` in `d` (of `n` bytes).
struct Extent {
  qsizetype end, next;
};
Extent lineFrom(const char* d, qsizetype n, qsizetype begin) {
  qsizetype e = begin;
  while (e < n && d[e] != '\r' && d[e] != '\n') ++e;
  const qsizetype next = e == n                                            ? n
                         : (d[e] == '\r' && e + 1 < n && d[e + 1] == '\n') ? e + 2
                                                                           : e + 1;
  return {e, next};
}

// What a line holds. For a header, [nameFrom, nameTo) is the text between
// the brackets; for a key, the text before "=", and valueBegin follows "=".
struct Parsed {
  Kind kind = Kind::Other;
  qsizetype nameFrom = 0, nameTo = 0, valueBegin = 0;
};
Parsed parseLine(const char* d, qsizetype begin, qsizetype end) {
  Parsed p;
  const qsizetype s = skipBlanks(d, begin, end);
  if (s == end || d[s] == ';') return p;
  if (d[s] == '[') {
    const qsizetype close = findLastCloseBracket(d, s + 1, end);
    if (close >= 0) return {Kind::Section, s + 1, close, 0};
  }
  const void* eq = std::memchr(d + s, '=', static_cast<size_t>(end - s));
  if (!eq) return p;
  const qsizetype at = static_cast<const char*>(eq) - d;
  if (trimBlanksBack(d, s, at) == s) return p;  // an empty name holds no key
  return {Kind::Key, s, at, at + 1};
}

const QByteArray kLineBreak = QByteArrayLiteral("\r\n");

}  // namespace

size_t ProfileFile::NameHash::operator()(const QString& s) const {
  return static_cast<size_t>(hashFolded(s));
}

ProfileFile::ProfileFile(QByteArray bytes) : raw_(std::move(bytes)) { parse(); }

bool ProfileFile::load(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    raw_.clear();
    parse();
    return true;
  }
  if (info.isDir()) return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) return false;
  raw_ = std::move(data);
  parse();
  return true;
}

bool ProfileFile::save(const QString& path) const {
  const QByteArray target = resolveLinks(QFile::encodeName(path));
  if (target.isEmpty()) return false;
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray dir = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : target.left(slash);

  struct stat old {};
  const bool existed = ::stat(target.constData(), &old) == 0;
  // A file made read-only (or one that is no plain file) is left alone, as
  // writing into it in place would be refused.
  if (existed && (!S_ISREG(old.st_mode) || ::access(target.constData(), W_OK) != 0)) return false;

  QByteArray tempName;
  const int fd = createReplacement(dir, target, tempName);
  if (fd < 0) return false;
  const QByteArray data = bytes();
  bool ok = writeAll(fd, data.constData(), data.size());
  if (ok && existed) {
    // The new file takes the old one's permissions and, where allowed, its
    // owner; a new file gets the usual ones (0666 less the umask).
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
      (void)::fchown(fd, old.st_uid, old.st_gid);
  }
  // The data is on the disk before the rename makes it the settings file.
  ok = ok && ::fsync(fd) == 0;
  if (ok && tempName.isEmpty()) ok = nameReplacement(fd, target, tempName);
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(tempName.constData(), target.constData()) == 0;
  if (!ok) {
    if (!tempName.isEmpty()) ::unlink(tempName.constData());
    return false;
  }
  // The rename itself survives a power cut only once the folder is synced.
  return syncFolder(dir);
}

void ProfileFile::parse() {
  headers_.clear();
  byName_.clear();
  pieces_.clear();
  texts_.clear();
  sections_.clear();
  first_ = last_ = tailBreak_ = -1;
  const qsizetype n = raw_.size();
  if (n > 0) {
    pieces_.push_back({0, n, -1, -1});
    first_ = last_ = 0;
  }
  // Headers are found from their brackets: a "[" that is the first
  // non-blank of its line. Files without brackets, however many lines they
  // have, cost one search.
  const char* d = raw_.constData();
  for (qsizetype at = 0; at < n;) {
    const void* found = std::memchr(d + at, '[', static_cast<size_t>(n - at));
    if (!found) break;
    const qsizetype bracket = static_cast<const char*>(found) - d;
    qsizetype begin = bracket;
    while (begin > 0 && isBlank(d[begin - 1])) --begin;
    if (begin > 0 && d[begin - 1] != '\n' && d[begin - 1] != '\r') {
      at = bracket + 1;
      continue;
    }
    const Extent e = lineFrom(d, n, bracket);
    const Parsed p = parseLine(d, begin, e.end);
    if (p.kind == Kind::Section) {
      byName_.emplace_back(nameHash(d, p.nameFrom, p.nameTo),
                           static_cast<qsizetype>(headers_.size()));
      headers_.push_back(begin);
    }
    at = e.next;
  }
  std::sort(byName_.begin(), byName_.end());
}

void ProfileFile::reparse() {
  raw_ = bytes();
  parse();
}

const char* ProfileFile::textOf(const LineRef& l) const {
  return l.piece < 0
             ? raw_.constData()
             : texts_[static_cast<size_t>(pieces_[static_cast<size_t>(l.piece)].own)].constData();
}

// Index of the first header of the bytes read whose name folds to `folded`,
// or -1.
qsizetype ProfileFile::findRawSection(const QString& folded) const {
  const uint64_t h = hashFolded(folded);
  auto it = std::lower_bound(byName_.begin(), byName_.end(), std::pair<uint64_t, qsizetype>(h, -1));
  const char* d = raw_.constData();
  for (; it != byName_.end() && it->first == h; ++it) {
    const qsizetype begin = headers_[static_cast<size_t>(it->second)];
    const Parsed p = parseLine(d, begin, lineFrom(d, raw_.size(), begin).end);
    if (foldedName(d, p.nameFrom, p.nameTo) == folded) return it->second;
  }
  return -1;
}

// The section of that name, its keys indexed on first use; null when the
// file has none.
ProfileFile::SectionState* ProfileFile::openSection(const QString& folded) const {
  if (const auto it = sections_.find(folded); it != sections_.end()) return &it->second;
  const qsizetype index = findRawSection(folded);
  if (index < 0) return nullptr;
  SectionState& s = sections_[folded];
  const char* d = raw_.constData();
  const qsizetype n = raw_.size();
  const qsizetype header = headers_[static_cast<size_t>(index)];
  const qsizetype to = index + 1 < static_cast<qsizetype>(headers_.size())
                           ? headers_[static_cast<size_t>(index) + 1]
                           : n;
  s.last = {-1, header};
  // Only keys between the header and the next header belong to the section.
  // Key lines are found from their "=", so lines without one cost nothing.
  const qsizetype from = lineFrom(d, n, header).next;
  for (qsizetype at = from; at < to;) {
    const void* found = std::memchr(d + at, '=', static_cast<size_t>(to - at));
    if (!found) break;
    qsizetype begin = static_cast<const char*>(found) - d;
    while (begin > from && d[begin - 1] != '\n' && d[begin - 1] != '\r') --begin;
    const Extent e = lineFrom(d, n, begin);
    const Parsed p = parseLine(d, begin, e.end);
    if (p.kind == Kind::Key) {
      s.keys.emplace_back(nameHash(d, p.nameFrom, p.nameTo), begin);
      s.last = {-1, begin};
    }
    at = e.next;
  }
  std::sort(s.keys.begin(), s.keys.end());
  return &s;
}

// The first line of the section holding the key of that name.
const ProfileFile::LineRef* ProfileFile::findKey(SectionState& s, const QString& folded) const {
  if (const auto it = s.written.find(folded); it != s.written.end()) return &it->second;
  const uint64_t h = hashFolded(folded);
  auto it = std::lower_bound(s.keys.begin(), s.keys.end(), std::pair<uint64_t, qsizetype>(h, -1));
  const char* d = raw_.constData();
  for (; it != s.keys.end() && it->first == h; ++it) {
    const Extent e = lineFrom(d, raw_.size(), it->second);
    const Parsed p = parseLine(d, it->second, e.end);
    if (foldedName(d, p.nameFrom, p.nameTo) != folded) continue;
    // Kept among the written keys, so that it is found without a scan next time.
    return &s.written.emplace(folded, LineRef{-1, it->second, p.valueBegin, e.end, e.next})
                .first->second;
  }
  return nullptr;
}

QByteArray ProfileFile::bytes() const {
  QByteArray out;
  qsizetype size = 0;
  for (qsizetype id = first_; id >= 0; id = pieces_[static_cast<size_t>(id)].next)
    size += pieces_[static_cast<size_t>(id)].size;
  out.reserve(size);
  for (qsizetype id = first_; id >= 0;) {
    const Piece& p = pieces_[static_cast<size_t>(id)];
    if (p.own < 0)
      out.append(raw_.constData() + p.begin, p.size);
    else
      out.append(texts_[static_cast<size_t>(p.own)]);
    id = p.next;
  }
  return out;
}

char ProfileFile::lastByte() const {
  if (last_ < 0) return 0;
  const Piece& p = pieces_[static_cast<size_t>(last_)];
  return p.own < 0 ? raw_[p.begin + p.size - 1] : texts_[static_cast<size_t>(p.own)].back();
}

// The line break given to the last line of the bytes read when that line
// had none and something now follows it.
qsizetype ProfileFile::tailBreak() {
  if (tailBreak_ < 0) tailBreak_ = addPiece(kLineBreak, pieceEndingAt(raw_.size()));
  return tailBreak_;
}

// A new own piece after piece `after` (-1: at the start).
qsizetype ProfileFile::addPiece(QByteArray text, qsizetype after) {
  Piece p;
  p.size = text.size();
  p.own = static_cast<int32_t>(texts_.size());
  texts_.push_back(std::move(text));
  const auto id = static_cast<qsizetype>(pieces_.size());
  if (after < 0) {
    p.next = first_;
    first_ = id;
  } else {
    p.next = pieces_[static_cast<size_t>(after)].next;
    pieces_[static_cast<size_t>(after)].next = id;
  }
  if (after == last_) last_ = id;
  pieces_.push_back(p);
  return id;
}

// The piece that ends exactly at `rawPos` of the bytes read, splitting the
// run that holds the byte before it.
qsizetype ProfileFile::pieceEndingAt(qsizetype rawPos) {
  for (qsizetype id = first_; id >= 0; id = pieces_[static_cast<size_t>(id)].next) {
    Piece& p = pieces_[static_cast<size_t>(id)];
    if (p.own >= 0 || !(p.begin < rawPos && rawPos <= p.begin + p.size)) continue;
    if (rawPos < p.begin + p.size) {
      const Piece rest{rawPos, p.begin + p.size - rawPos, -1, p.next};
      p.size = rawPos - p.begin;
      p.next = static_cast<qsizetype>(pieces_.size());
      if (last_ == id) last_ = p.next;
      pieces_.push_back(rest);
    }
    return id;
  }
  return last_;
}

// Replaces the bytes read in [from, to), one line that no edit has touched,
// by an own piece holding `text`.
qsizetype ProfileFile::ownRawRange(qsizetype from, qsizetype to, QByteArray text) {
  if (from > 0) pieceEndingAt(from);
  pieceEndingAt(to);
  for (qsizetype id = first_; id >= 0; id = pieces_[static_cast<size_t>(id)].next) {
    Piece& p = pieces_[static_cast<size_t>(id)];
    if (p.own >= 0 || p.begin != from) continue;
    p.begin = 0;
    p.size = text.size();
    p.own = static_cast<int32_t>(texts_.size());
    texts_.push_back(std::move(text));
    return id;
  }
  return -1;  // not reached: the line lies in the bytes read
}

QString ProfileFile::value(const QString& section, const QString& key) const {
  SectionState* s = openSection(folded(section.trimmed()));
  if (!s) return {};
  const LineRef* l = findKey(*s, folded(key.trimmed()));
  if (!l) return {};
  const char* d = textOf(*l);
  qsizetype from = skipBlanks(d, l->valueBegin, l->end);
  qsizetype to = trimBlanksBack(d, from, l->end);
  if (to - from >= 2 && (d[from] == '"' || d[from] == '\'') && d[to - 1] == d[from]) {
    ++from;
    --to;
  }
  // Text after a NUL is not part of the value.
  if (const void* nul = std::memchr(d + from, '\0', static_cast<size_t>(to - from)))
    to = static_cast<const char*>(nul) - d;
  to = from + cp932PrefixLength(d + from, to - from, kProfileValueMaxBytes);
  return fromCp932(QByteArray(d + from, to - from));
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
  const QString sec = oneLine(section).trimmed();
  const QString k = oneLine(key).trimmed();
  if (sec.isEmpty() || k.isEmpty()) return;
  const QByteArray val = toCp932(oneLine(value));
  const QByteArray keyLine = toCp932(k) + '=' + val;

  SectionState* s = openSection(folded(sec));
  if (!s) {
    // A new section at the end of the file.
    if (last_ >= 0 && lastByte() != '\n' && lastByte() != '\r') tailBreak();
    const QByteArray header = '[' + toCp932(sec) + ']';
    const Parsed h = parseLine(header.constData(), 0, header.size());
    const Parsed kp = parseLine(keyLine.constData(), 0, keyLine.size());
    const qsizetype headerPiece = addPiece(header + kLineBreak, last_);
    const qsizetype keyPiece = addPiece(keyLine + kLineBreak, headerPiece);
    const QString name =
        h.kind == Kind::Section ? foldedName(header.constData(), h.nameFrom, h.nameTo) : QString();
    // A name that reads back as another, or a line that is no header or no
    // key, changes the file's structure beyond this section.
    if (h.kind != Kind::Section || kp.kind != Kind::Key || openSection(name)) {
      reparse();
      return;
    }
    SectionState& added = sections_[name];
    added.last = {keyPiece, 0};
    added.written.emplace(foldedName(keyLine.constData(), kp.nameFrom, kp.nameTo),
                          LineRef{keyPiece, 0, kp.valueBegin, keyLine.size(), keyLine.size() + 2});
    return;
  }

  const QString foldedKey = folded(k);
  if (const LineRef* found = findKey(*s, foldedKey)) {
    // Everything up to "=" stays as written, so the key keeps its spelling.
    LineRef l = *found;
    QByteArray text;
    if (l.piece < 0) {
      text = raw_.mid(l.begin, l.valueBegin - l.begin) + val + kLineBreak;
      const qsizetype rawBegin = l.begin;
      // The new text ends in a line break; one added for the old line goes.
      if (l.next == l.end && tailBreak_ >= 0) {
        Piece& added = pieces_[static_cast<size_t>(tailBreak_)];
        texts_[static_cast<size_t>(added.own)].clear();
        added.size = 0;
      }
      l = {ownRawRange(l.begin, l.next, text), 0, l.valueBegin - l.begin, text.size() - 2,
           text.size()};
      if (s->last.piece < 0 && s->last.rawBegin == rawBegin) s->last = {l.piece, 0};
    } else {
      QByteArray& own = texts_[static_cast<size_t>(pieces_[static_cast<size_t>(l.piece)].own)];
      own = own.left(l.valueBegin) + val + kLineBreak;
      pieces_[static_cast<size_t>(l.piece)].size = own.size();
      l.end = own.size() - 2;
      l.next = own.size();
      text = own;
    }
    s->written[foldedKey] = l;
    // A value with a "]" can turn a line that starts with "[" into a header.
    if (parseLine(text.constData(), l.begin, l.end).kind != Kind::Key) reparse();
    return;
  }

  // A new key after the last key of the section, or after its header.
  qsizetype after = s->last.piece;
  if (after < 0) {
    const Extent e = lineFrom(raw_.constData(), raw_.size(), s->last.rawBegin);
    // The last line of the file had no line break: it gets one.
    after = e.next == e.end ? tailBreak() : pieceEndingAt(e.next);
  }
  const QByteArray text = keyLine + kLineBreak;
  const qsizetype piece = addPiece(text, after);
  const Parsed p = parseLine(text.constData(), 0, text.size() - 2);
  if (p.kind != Kind::Key) {
    reparse();
    return;
  }
  s->last = {piece, 0};
  // The name as the file now reads it can differ from the one asked for
  // (characters the code page lacks, an "=" in the name); an earlier key of
  // that name keeps it.
  const QString name = foldedName(text.constData(), p.nameFrom, p.nameTo);
  if (!findKey(*s, name))
    s->written.emplace(name, LineRef{piece, 0, p.valueBegin, text.size() - 2, text.size()});
}

}  // namespace kv
