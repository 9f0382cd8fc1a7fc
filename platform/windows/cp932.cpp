// Code page 932 as Windows itself converts it: the system's own tables, with
// its best-fit forms and "?" for a character the code page lacks.
#include "platform/cp932.h"

#include <windows.h>

namespace kv {
namespace {

constexpr UINT kCodePage = 932;

bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Single bytes that Shift-JIS leaves undefined, which Windows maps to private
// or control characters of its own: malformed, as on every other system.
bool isUndefinedByte(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

// Whether `bytes` holds a byte that Shift-JIS leaves undefined where a
// character starts.
bool holdsUndefinedByte(const char* bytes, int len) {
  for (int i = 0; i < len; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (isUndefinedByte(b)) return true;
    if (isCp932LeadByte(b)) ++i;
  }
  return false;
}

// One character of `bytes` at `i` (one or two bytes) into `out`; false when
// the system does not take it.
bool convertOne(const char* bytes, int len, std::vector<char16_t>& out) {
  wchar_t w[2];
  const int n = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, len, w, 2);
  for (int k = 0; k < n; ++k) out.push_back(static_cast<char16_t>(w[k]));
  return n > 0;
}

}  // namespace

QByteArray toCp932(const QString& text) {
  if (text.isEmpty()) return {};
  // A character beyond the 16-bit plane, which the code page never holds,
  // becomes one "?", not one for each of its two UTF-16 units.
  QString units = text;
  for (qsizetype i = 0; i + 1 < units.size(); ++i)
    if (units[i].isHighSurrogate() && units[i + 1].isLowSurrogate())
      units.replace(i, 2, QChar(QChar::ReplacementCharacter));
  const auto* src = reinterpret_cast<const wchar_t*>(units.utf16());
  const int srcLen = static_cast<int>(units.size());
  const int n = ::WideCharToMultiByte(kCodePage, 0, src, srcLen, nullptr, 0, "?", nullptr);
  QByteArray out(n, Qt::Uninitialized);
  if (n > 0) ::WideCharToMultiByte(kCodePage, 0, src, srcLen, out.data(), n, "?", nullptr);
  return out;
}

void fromCp932(const char* bytes, qsizetype size, std::vector<char16_t>& out) {
  out.clear();
  if (size <= 0) return;
  const int len = static_cast<int>(size);
  out.resize(static_cast<size_t>(size) + 1);
  const int n = holdsUndefinedByte(bytes, len)
                    ? 0
                    : ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, len,
                                            reinterpret_cast<wchar_t*>(out.data()),
                                            static_cast<int>(out.size()));
  if (n > 0) {
    out.resize(static_cast<size_t>(n));
    return;
  }
  // Malformed text: character by character, each byte the system refuses
  // becoming U+FFFD. A lead byte whose next byte cannot follow it stands
  // alone, and that byte is read again as a character of its own.
  out.clear();
  for (int i = 0; i < len;) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (isCp932LeadByte(b) && i + 1 < len &&
        isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
      if (!convertOne(bytes + i, 2, out)) out.push_back(u'\uFFFD');
      i += 2;
      continue;
    }
    if (isCp932LeadByte(b) || isUndefinedByte(b) || !convertOne(bytes + i, 1, out))
      out.push_back(u'\uFFFD');
    ++i;
  }
}

QString fromCp932(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  std::vector<char16_t> out;
  fromCp932(bytes.constData(), bytes.size(), out);
  return QString(reinterpret_cast<const QChar*>(out.data()), static_cast<qsizetype>(out.size()));
}

}  // namespace kv
