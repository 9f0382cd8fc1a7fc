#pragma once
// One line of a profile file: what it holds, and how names are compared.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kv {

enum class TextEncoding { Cp932, Utf8, Utf16LE, Utf16BE };

inline bool isProfileBlank(char c) { return c == ' ' || c == '\t'; }

// What a line holds: a header (the name between the brackets), a key (the
// name before "=", the value from valueBegin on) or nothing to look up.
// Names are given without the blanks and tabs around them.
struct ProfileLine {
  enum Kind { Other, Header, Key } kind = Other;
  qsizetype nameFrom = 0, nameTo = 0, valueBegin = 0;
};
ProfileLine parseProfileLine(const char* d, qsizetype begin, qsizetype end, TextEncoding enc);

// The hash by which names are found: of the name as the file's encoding
// decodes it, case folded. Plain ASCII names take a byte-wise shortcut that
// agrees with hashing the folded text.
uint32_t profileNameHash(const char* bytes, qsizetype size, TextEncoding enc);
uint32_t profileNameHash(const QString& folded);

// A piece of UTF-8 text as it stands. QString::fromUtf8 would drop a U+FEFF
// at its start as if it were the mark of a whole file; inside the text of a
// file it is a character of a name or a value like any other.
QString fromUtf8Text(const char* bytes, qsizetype size);

// The longest start of `s` that takes at most `maxBytes` in code page 932,
// without splitting a character.
QString cutToCp932Bytes(const QString& s, qsizetype maxBytes);

}  // namespace kv
