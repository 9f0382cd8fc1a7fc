#pragma once
// Shared pieces of the fuzz targets: turning fuzz bytes into text, and a
// check that stops the run with the failed condition.
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "platform/cp932.h"

#define KV_CHECK(cond)                                                              \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)

namespace kv::fuzz {

inline QByteArray bytes(FuzzedDataProvider& in, size_t max) {
  const std::string s = in.ConsumeRandomLengthString(max);
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// Text as a user or an editor could produce it: Shift-JIS bytes, UTF-8 (which
// reaches characters the code page lacks) or raw UTF-16 units.
inline QString text(FuzzedDataProvider& in, size_t max) {
  const int how = in.ConsumeIntegralInRange(0, 2);
  const QByteArray b = bytes(in, max);
  if (how == 0) return fromCp932(b);
  if (how == 1) return QString::fromUtf8(b);
  return QString(reinterpret_cast<const QChar*>(b.constData()), b.size() / 2);
}

}  // namespace kv::fuzz
