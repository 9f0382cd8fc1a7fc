// Code page 932 conversions: ASCII as it is, the rest as Windows has it.
#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace kv {
namespace {

// Every byte below 0x80 is its ASCII character both ways, alone, between
// double-byte characters and after a lead byte it cannot complete.
TEST(Cp932, AsciiPassesThroughBothWays) {
  QByteArray all;
  QString allText;
  for (int b = 0; b < 0x80; ++b) {
    const QByteArray byte(1, static_cast<char>(b));
    const QString text(QChar(static_cast<char16_t>(b)));
    EXPECT_EQ(std::tuple(fromCp932(byte), toCp932(text)), std::tuple(text, byte)) << b;
    all += byte + "\x8A\xBF";  // 漢
    allText += text + u'漢';
  }
  EXPECT_EQ(fromCp932(all), allText);
  EXPECT_EQ(toCp932(allText), all);
  std::vector<char16_t> units;
  fromCp932("\x1A\x1C\x7F", 3, units);
  EXPECT_EQ(units, (std::vector<char16_t>{0x1A, 0x1C, 0x7F}));
  // A trail byte may be below 0x80, but never a control code: 0x81 0x1A is
  // a broken character and the control code.
  EXPECT_EQ(fromCp932("\x81\x40\x81\x1A\x81\x7F\x81"),
            QStringView(u"\u3000\uFFFD\x1A\uFFFD\x7F\uFFFD").toString());
  EXPECT_EQ(fromCp932("\xB6\xDE\x80\xA0\xFD"), QString("ｶﾞ\uFFFD\uFFFD\uFFFD"));
}

// What the code page lacks takes its best fit, loses its accents or is left
// out; what it holds stays, also where Unicode has a twin (Å, the angstrom
// sign, is the code page's own).
TEST(Cp932, FittingKeepsOnlyWhatSurvivesTheCodePage) {
  const std::pair<QString, QString> cases[] = {
      {"Zoë ÅÇñ", "Zoe ACn"},
      {"ǖ", "u"},
      {"〜—", "～―"},
      {"a😀b" + QString(QChar(0xD800)) + "c", "abc"},
      {"€½", ""},
      {"漢字ｶﾅ\u212B￢", "漢字ｶﾅ\u212B￢"},
      {"简体", "体"},
      {"\x1A\x7F", "\x1A\x7F"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(fitToCp932(in), out) << in.toStdString();
    EXPECT_EQ(fromCp932(toCp932(out)), out) << in.toStdString();
  }
}

}  // namespace
}  // namespace kv
