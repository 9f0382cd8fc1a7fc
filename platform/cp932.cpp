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

// A converter per call: UConverter keeps state and is not shareable, and
// opening one is cheap once ICU has cached the table.
Converter openCp932() {
  UErrorCode err = U_ZERO_ERROR;
  Converter c(ucnv_open("windows-932", &err));
  if (U_FAILURE(err)) return nullptr;
  ucnv_setFallback(c.get(), true);
  ucnv_setSubstChars(c.get(), "?", 1, &err);
  return c;
}

}  // namespace

QByteArray toCp932(const QString& text) {
  if (text.isEmpty()) return {};
  Converter c = openCp932();
  if (!c) return text.toLatin1();
  const auto* src = reinterpret_cast<const UChar*>(text.utf16());
  const int32_t srcLen = static_cast<int32_t>(text.size());
  QByteArray out(srcLen * 2 + 8, Qt::Uninitialized);
  UErrorCode err = U_ZERO_ERROR;
  int32_t n =
      ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), src, srcLen, &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(n);
    err = U_ZERO_ERROR;
    n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), src, srcLen, &err);
  }
  if (U_FAILURE(err)) return {};
  out.truncate(n);
  return out;
}

QString fromCp932(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  Converter c = openCp932();
  if (!c) return QString::fromLatin1(bytes);
  // Every byte yields at most one UTF-16 unit.
  std::vector<UChar> out(static_cast<size_t>(bytes.size()) + 1);
  UErrorCode err = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(c.get(), out.data(), static_cast<int32_t>(out.size()),
                                  bytes.constData(), static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err)) return {};
  return QString(reinterpret_cast<const QChar*>(out.data()), n);
}

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

}  // namespace kv
