// The code page 932 conversions on ICU's "windows-932" converter, which
// follows an IBM convention for three control codes: it turns the bytes
// 0x1A, 0x1C and 0x7F into U+001C, U+007F and U+001A and back. Windows keeps
// every byte below 0x80 as ASCII, and so do these conversions: ASCII runs are
// copied as they are and only the rest goes through ICU.
#include "platform/cp932.h"

#include <unicode/ucnv.h>

#include <memory>
#include <vector>

namespace kv {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread, reset before each use: a UConverter keeps state
// between calls and cannot be shared, and opening one per call is the
// dominant cost when a large settings file is indexed.
UConverter* cp932() {
  thread_local Converter c = [] {
    UErrorCode err = U_ZERO_ERROR;
    Converter made(ucnv_open("windows-932", &err));
    if (U_FAILURE(err)) return Converter();
    ucnv_setFallback(made.get(), true);
    ucnv_setSubstChars(made.get(), "?", 1, &err);
    return made;
  }();
  if (c) ucnv_reset(c.get());
  return c.get();
}

// Whether `b` may follow a lead byte: a trail byte can be below 0x80
// (0x40 to 0x7E), and then it is no ASCII character.
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

}  // namespace

QByteArray toCp932(const QString& text) {
  QByteArray out;
  out.reserve(text.size() * 2);
  UConverter* c = cp932();
  const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    if (src[i] < 0x80) {
      out += static_cast<char>(src[i++]);
      continue;
    }
    qsizetype end = i;
    while (end < n && src[end] >= 0x80) ++end;
    if (!c) {
      out.append(end - i, '?');
      i = end;
      continue;
    }
    // Two bytes at most for each unit, a few more for the converter's state.
    const qsizetype at = out.size();
    out.resize(at + (end - i) * 2 + 8);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(
        c, out.data() + at, static_cast<int32_t>(out.size() - at),
        reinterpret_cast<const UChar*>(src + i), static_cast<int32_t>(end - i), &err);
    out.resize(U_FAILURE(err) ? at : at + written);
    i = end;
  }
  return out;
}

void fromCp932(const char* bytes, qsizetype size, std::vector<char16_t>& out) {
  out.clear();
  UConverter* c = cp932();
  // Every byte yields at most one UTF-16 unit.
  out.resize(static_cast<size_t>(size) + 1);
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  size_t o = 0;
  for (qsizetype i = 0; i < size;) {
    if (b[i] < 0x80) {
      out[o++] = b[i++];
      continue;
    }
    // A run of characters that are not ASCII, each a lead byte with its
    // trail byte or a single byte.
    qsizetype end = i;
    while (end < size && b[end] >= 0x80)
      end += isCp932LeadByte(b[end]) && end + 1 < size && isTrailByte(b[end + 1]) ? 2 : 1;
    if (!c) {
      for (; i < end; ++i) out[o++] = u'\uFFFD';
      continue;
    }
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar*>(out.data() + o),
                                    static_cast<int32_t>(out.size() - o), bytes + i,
                                    static_cast<int32_t>(end - i), &err);
    if (U_FAILURE(err)) {
      out.clear();
      return;
    }
    o += static_cast<size_t>(n);
    i = end;
  }
  out.resize(o);
}

QString fromCp932(const QByteArray& bytes) {
  std::vector<char16_t> out;
  fromCp932(bytes.constData(), bytes.size(), out);
  return QString(reinterpret_cast<const QChar*>(out.data()), static_cast<qsizetype>(out.size()));
}

}  // namespace kv
