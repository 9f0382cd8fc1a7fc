#include "settings/profile_line.h"

#include <QStringDecoder>
#include <cstring>
#include <vector>

#include "platform/cp932.h"

namespace kv {
namespace {

qsizetype skipBlanks(const char* d, qsizetype from, qsizetype to) {
  while (from < to && isProfileBlank(d[from])) ++from;
  return from;
}
qsizetype trimBlanksBack(const char* d, qsizetype from, qsizetype to) {
  while (to > from && isProfileBlank(d[to - 1])) --to;
  return to;
}

// Printable ASCII that decodes to itself in every encoding (code page 932
// may read 0x5C and 0x7E otherwise).
bool plainByte(unsigned char c) { return c >= 0x20 && c < 0x7F && c != 0x5C && c != 0x7E; }

constexpr uint32_t kFnvBasis = 2166136261u, kFnvPrime = 16777619u;

}  // namespace

QString fromUtf8Text(const char* bytes, qsizetype size) {
  using D = QStringDecoder;
  return D(D::Utf8, D::Flag::Stateless | D::Flag::ConvertInitialBom)(QByteArrayView(bytes, size));
}

QString cutToCp932Bytes(const QString& s, qsizetype maxBytes) {
  qsizetype bytes = 0, i = 0;
  while (i < s.size()) {
    const qsizetype len = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
    bytes += s[i].unicode() < 0x80 ? 1 : toCp932(s.mid(i, len)).size();
    if (bytes > maxBytes) break;
    i += len;
  }
  return s.left(i);
}

// Blanks, tabs, "=" and line breaks are never the second byte of a
// double-byte character, but "]" can be, so in code page 932 the closing
// bracket is looked for character by character.
ProfileLine parseProfileLine(const char* d, qsizetype begin, qsizetype end, TextEncoding enc) {
  const qsizetype s = skipBlanks(d, begin, end);
  if (s == end || d[s] == ';') return {};
  auto named = [d](ProfileLine::Kind kind, qsizetype from, qsizetype to, qsizetype valueBegin) {
    from = skipBlanks(d, from, to);
    return ProfileLine{kind, from, trimBlanksBack(d, from, to), valueBegin};
  };
  if (d[s] == '[') {
    qsizetype close = -1;
    for (qsizetype i = s + 1; i < end;) {
      if (d[i] == ']') close = i;
      const bool lead =
          enc == TextEncoding::Cp932 && isCp932LeadByte(static_cast<unsigned char>(d[i]));
      i += lead && i + 1 < end ? 2 : 1;
    }
    if (close >= 0) return named(ProfileLine::Header, s + 1, close, 0);
  }
  const void* eq = std::memchr(d + s, '=', static_cast<size_t>(end - s));
  if (!eq) return {};
  const qsizetype at = static_cast<const char*>(eq) - d;
  if (trimBlanksBack(d, s, at) == s) return {};  // an empty name holds no key
  return named(ProfileLine::Key, s, at, at + 1);
}

uint32_t profileNameHash(const QString& folded) {
  uint32_t h = kFnvBasis;
  for (QChar c : folded) h = (h ^ c.unicode()) * kFnvPrime;
  return h;
}

uint32_t profileNameHash(const char* d, qsizetype size, TextEncoding enc) {
  uint32_t h = kFnvBasis;
  for (qsizetype i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(d[i]);
    if (!plainByte(c)) {
      // Decoded and folded one code point at a time, as toCaseFolded does,
      // without building a string for each of a large file's names.
      thread_local std::vector<char16_t> units;
      if (enc == TextEncoding::Cp932) {
        fromCp932(d, size, units);
      } else {
        const QString s = fromUtf8Text(d, size);
        units.assign(s.utf16(), s.utf16() + s.size());
      }
      h = kFnvBasis;
      for (size_t u = 0; u < units.size(); ++u) {
        char32_t cp = units[u];
        if (QChar::isHighSurrogate(cp) && u + 1 < units.size() &&
            QChar::isLowSurrogate(units[u + 1])) {
          cp = QChar::surrogateToUcs4(units[u], units[u + 1]);
          ++u;
        }
        cp = QChar::toCaseFolded(cp);
        for (char16_t unit : QChar::fromUcs4(cp)) h = (h ^ unit) * kFnvPrime;
      }
      return h;
    }
    h = (h ^ static_cast<uint32_t>(c >= 'A' && c <= 'Z' ? c + 32 : c)) * kFnvPrime;
  }
  return h;
}

}  // namespace kv
