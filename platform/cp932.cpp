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

}  // namespace

QByteArray toCp932(const QString& text) {
  if (text.isEmpty()) return {};
  UConverter* c = cp932();
  if (!c) return text.toLatin1();
  const auto* src = reinterpret_cast<const UChar*>(text.utf16());
  const int32_t srcLen = static_cast<int32_t>(text.size());
  QByteArray out(srcLen * 2 + 8, Qt::Uninitialized);
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), src, srcLen, &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(n);
    err = U_ZERO_ERROR;
    n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), src, srcLen, &err);
  }
  if (U_FAILURE(err)) return {};
  out.truncate(n);
  return out;
}

void fromCp932(const char* bytes, qsizetype size, std::vector<char16_t>& out) {
  out.clear();
  UConverter* c = cp932();
  if (size == 0 || !c) return;
  // Every byte yields at most one UTF-16 unit.
  out.resize(static_cast<size_t>(size) + 1);
  UErrorCode err = U_ZERO_ERROR;
  const int32_t n =
      ucnv_toUChars(c, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                    bytes, static_cast<int32_t>(size), &err);
  out.resize(U_FAILURE(err) ? 0 : static_cast<size_t>(n));
}

QString fromCp932(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  if (!cp932()) return QString::fromLatin1(bytes);
  std::vector<char16_t> out;
  fromCp932(bytes.constData(), bytes.size(), out);
  return QString(reinterpret_cast<const QChar*>(out.data()), static_cast<qsizetype>(out.size()));
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
