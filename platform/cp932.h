#pragma once
// Text in the Japanese ANSI code page (932, Shift-JIS as Windows defines it):
// the byte form of names and of the settings file.
//
// The two conversions are the system's own on Windows; elsewhere they are
// built on ICU (posix/cp932.cpp). Either way every byte below 0x80 is the
// ASCII character of that code, both ways. The rest of this header is built
// on the two conversions alone.
#include <QByteArray>
#include <QString>
#include <vector>

namespace kv {

// Unicode to code page 932. Characters the code page lacks take their
// best-fit form where one exists ("¥" becomes 0x5C) and "?" otherwise, as
// the ANSI conversion of the target systems does.
QByteArray toCp932(const QString& text);
// Code page 932 to Unicode; malformed bytes become U+FFFD.
QString fromCp932(const QByteArray& bytes);
// The same into `out` (resized to fit), without building a QString; empty on
// failure.
void fromCp932(const char* bytes, qsizetype size, std::vector<char16_t>& out);

// First byte of a double-byte character.
constexpr bool isCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of `bytes` cut to at most `maxBytes` without splitting a double-byte
// character.
qsizetype cp932PrefixLength(const char* bytes, qsizetype size, qsizetype maxBytes);

// `text` as the code page holds it, so that it survives a round trip through
// code page 932 unchanged. A character the code page lacks takes the form its
// best-fit conversion gives ("〜" becomes "～"), an accented letter without
// one its plain letter ("ë" becomes "e", as Windows' best fit has it), and
// any other character (an emoji, most Chinese characters) is left out.
QString fitToCp932(const QString& text);

}  // namespace kv
