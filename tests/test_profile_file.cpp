#include <gtest/gtest.h>

#include <QStringEncoder>
#include <tuple>

#include "platform/cp932.h"
#include "settings/profile_file.h"
#include "settings/profile_line.h"

namespace kv {
namespace {

QByteArray sjis(const QString& s) { return toCp932(s); }

TEST(ProfileFile, Reading) {
  // (file, section, key, value read)
  const std::tuple<QByteArray, const char*, const char*, QString> cases[] = {
      {"[Option]\r\nKakudai=1\r\n", "OPTION", "kakudai", "1"},
      {"[ \tOption\t ]\n \t Kakudai \t=\t 1 \t\n", "Option", "Kakudai", "1"},
      {"[S]\rk=1\rj=2", "S", "j", "2"},
      {"[S]\r\n\r\nk= \"  a b \" \r\n", "S", "k", "  a b "},
      {"[S]\nk='x'\n", "S", "k", "x"},
      {"[S]\nk=\"x'\n", "S", "k", "\"x'"},
      {"[S]\nk=\"\n", "S", "k", "\""},
      {"[S]\nk=a=b\n", "S", "k", "a=b"},
      {"[S]\n  ;k=1\n", "S", "k", ""},
      {"[S]\nk\nk=5\n", "S", "k", "5"},
      {"k=1\n[S]\n", "S", "k", ""},
      {"[S]\nk=1\nK=2\n", "S", "k", "1"},
      {"[  ]\nk=1\n", "", "k", "1"},
      {"[liquid]\nk=1\n[costarring]\nk=2\n", "costarring", "k", "2"},  // same 32-bit hash
      {"[S]\nk=1\n[T]\n[s]\nk=2\nm=3\n", "S", "k", "1"},
      {"[S]\nk=1\n[T]\n[s]\nk=2\nm=3\n", "S", "m", ""},
      {"[S]\nk=1\n", "T", "k", ""},
      {"[S]\nk=a\0b\n", "S", "k", "a"},
      {"[S]\nname=" + sjis("漢字ｶﾅ") + "\n", "S", "name", "漢字ｶﾅ"},
      // 0x89 0x5D is one character whose second byte looks like "]": this
      // line opens no section, so k still belongs to [S].
      {"[S]\n[x" + sjis("云") + "\nk=1\n", "S", "k", "1"},
      {"[" + sjis("云") + "]\nk=1\n", "云", "k", "1"},
      // Names beyond ASCII fold too (full-width letters), and the first still wins.
      {"[S]\n" + sjis("名前") + "=x\n" + sjis("Ａ") + "=1\n" + sjis("ａ") + "=2\n", "S", "ａ", "1"},
      {"[S]\n" + sjis("名前") + "=x\na=1\n", "S", "名前", "x"},
      {"[S]\n" + sjis("名前") + "=x\na=1\n", "S", "a", "1"},
      {"[S]\n[]\nj=2\n", "S", "j", ""},  // "[]" opens a section without a name
      // A comment holds no key, even with "=" in it.
      {"[S]\n ;k=1\n", "S", ";k", ""},
      // Values are cut to 199 bytes without splitting a double-byte character.
      {"[S]\nk=" + QByteArray(199, 'a') + "bc\n", "S", "k", QString(199, u'a')},
      {"[S]\nk=" + QByteArray(198, 'a') + sjis("漢") + "\n", "S", "k", QString(198, u'a')},
      {"[S]\nk=" + QByteArray(197, 'a') + sjis("漢") + "\n", "S", "k", QString(197, u'a') + "漢"},
      {"[S]\nk= a" + QByteArray("\0b", 2) + "\n", "S", "k", "a"},  // and end at a NUL
      {"[S]\nk= \t\nj=1\n", "S", "k", ""},
  };
  for (const auto& [file, section, key, expected] : cases)
    EXPECT_EQ(ProfileFile(file).value(section, key), expected)
        << ::testing::PrintToString(file.toStdString());
}

// Text cut to a number of bytes as code page 932 counts them: a character
// outside the basic plane is one "?", a kanji two; none is split.
TEST(ProfileFile, CutToCodePageBytes) {
  const std::tuple<QString, int, QString> cases[] = {
      {"😀ab", 1, "😀"}, {"😀ab", 2, "😀a"}, {"漢a", 1, ""}, {"漢a", 2, "漢"}, {"ab", 5, "ab"}};
  for (const auto& [text, bytes, cut] : cases)
    EXPECT_EQ(cutToCp932Bytes(text, bytes), cut) << bytes;
}

TEST(ProfileFile, Writing) {
  // (file before, section, key, value written, file after)
  const std::tuple<QByteArray, const char*, const char*, QString, QByteArray> cases[] = {
      // Replaced in place; the key keeps its spelling, other lines untouched.
      {"; top\r\n[option]\r\n  KAKUDAI = 0 \r\nother=x\r\n", "Option", "Kakudai", " 1",
       "; top\r\n[option]\r\n  KAKUDAI = 1\r\nother=x\r\n"},
      {"[A]\nx=1\ny=2\nz=3\n", "a", "Y", "9", "[A]\nx=1\ny=9\r\nz=3\n"},
      {"[A]\nx=1\ny=2", "A", "y", "9", "[A]\nx=1\ny=9\r\n"},
      // A new key follows the last key of its section.
      {"[A]\r\nx=1\r\n\r\n; note\r\n[B]\r\ny=2\r\n", "A", "z", "3",
       "[A]\r\nx=1\r\nz=3\r\n\r\n; note\r\n[B]\r\ny=2\r\n"},
      {"[A]\n; only a comment\n[B]\n", "A", "k", "v", "[A]\nk=v\r\n; only a comment\n[B]\n"},
      {"[A]\nx=1\nnote\n[B]\ny=2\n", "A", "z", "3", "[A]\nx=1\nz=3\r\nnote\n[B]\ny=2\n"},
      {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\r\nk=v\r\n"},
      // Only the first of a repeated section is written to.
      {"[A]\nx=1\n[A]\ny=2\n", "A", "y", "3", "[A]\nx=1\ny=3\r\n[A]\ny=2\n"},
      // A new section goes at the end of the file.
      {"", "B", "k", "v", "[B]\r\nk=v\r\n"},
      {"k=0\n[A]\nx=1", "B", "k", "v", "k=0\n[A]\nx=1\r\n[B]\r\nk=v\r\n"},
      {"[A]\nx=1\n\n", "B", "k", "v", "[A]\nx=1\n\n[B]\r\nk=v\r\n"},
      // Text is stored in code page 932; a line break cannot split the line.
      {"[A]\n", "A", "name", "漢ｶ", "[A]\nname=" + sjis("漢ｶ") + "\r\n"},
      {"[A]\n", "A", "k", "a\r\nb", "[A]\nk=a  b\r\n"},
  };
  for (const auto& [before, section, key, value, after] : cases) {
    ProfileFile f(before);
    f.setValue(section, key, value);
    EXPECT_EQ(f.bytes(), after) << ::testing::PrintToString(before.toStdString());
    EXPECT_EQ(f.value(section, key), QString(value).replace("\r\n", "  ").trimmed());
  }
  // Names the line cannot hold as given read back as the file will.
  ProfileFile f("[A]\n");
  f.setValue("A", "a=b", "v");
  f.setValue("A", "😀", "w");
  EXPECT_EQ(std::tuple(f.bytes(), f.value("A", "a"), f.value("A", "?")),
            std::tuple(QByteArray("[A]\na=b=v\r\n?=w\r\n"), QString("b=v"), QString("w")));
}

// A file an editor saved as UTF-8 or UTF-16 with a mark is read as such and
// written back in its own encoding, mark first, nothing else changed.
TEST(ProfileFile, EncodingsAreReadAndKept) {
  const QString text =
      "\uFEFF; a second mark is text\r\n[Option]\r\nKakudai= 1\r\n[Ranking]\r\n"
      "Name0=漢字ｶﾅ\r\nRecentName=é😀\r\nlong=" +
      QString(99, u'漢') + "ab\r\nwide=" + QString("😀").repeated(200) + "\r\nÜnï😀=7\r\nlast=x";
  const QString edited =
      QString(text).replace("Kakudai= 1", "Kakudai= 0") + "\r\nNew=ü😀\r\n[Form]\r\nLeft= 3\r\n";
  const std::tuple<TextEncoding, QStringEncoder::Encoding, const char*> cases[] = {
      {TextEncoding::Utf8, QStringEncoder::Utf8, "\xEF\xBB\xBF"},
      {TextEncoding::Utf16LE, QStringEncoder::Utf16LE, "\xFF\xFE"},
      {TextEncoding::Utf16BE, QStringEncoder::Utf16BE, "\xFE\xFF"}};
  for (const auto& [enc, qt, mark] : cases) {
    auto save = [&](const QString& t) { return mark + QByteArray(QStringEncoder(qt)(t)); };
    ProfileFile f(save(text));
    // Long values are cut where they would pass 199 bytes in code page 932,
    // which holds no emoji: each counts as the one byte of "?".
    EXPECT_EQ(std::tuple(f.encoding(), f.value("option", "KAKUDAI"), f.value("Ranking", "Name0"),
                         f.value("Ranking", "RecentName"), f.value("Ranking", "long"),
                         f.value("Ranking", "wide"), f.value("Ranking", "üNÏ😀")),
              std::tuple(enc, QString("1"), QString("漢字ｶﾅ"), QString("é😀"),
                         QString(99, u'漢') + "a", QString("😀").repeated(199), QString("7")));
    EXPECT_EQ(f.bytes(), save(text));
    f.setValue("Option", "Kakudai", " 0");
    f.setValue("Ranking", "New", "ü😀");
    f.setValue("Form", "Left", " 3");
    EXPECT_EQ(f.bytes(), save(edited));
    EXPECT_EQ(ProfileFile(f.bytes()).value("Ranking", "New"), "ü😀");
    // A text that itself begins with a mark (made by hand: a mark in a
    // string literal is dropped on the way to QString) keeps both.
    const QString marked = QChar(0xFEFF) + QString("; x\r\n[S]\r\nk=1\r\n");
    ProfileFile twice(save(marked));
    twice.setValue("S", "k", "2");
    EXPECT_EQ(twice.bytes(), save(QString(marked).replace("k=1", "k=2")));
  }
  // Without a mark, and new: Shift-JIS.
  ProfileFile plain(sjis("[S]\nk=漢\n"));
  EXPECT_EQ(plain.encoding(), TextEncoding::Cp932);
  EXPECT_EQ(plain.value("S", "k"), "漢");
  ProfileFile fresh;
  fresh.setValue("S", "k", "漢");
  EXPECT_EQ(fresh.bytes(), "[S]\r\nk=" + sjis("漢") + "\r\n");
}

// U+FEFF inside the text of a UTF-8 or UTF-16 file is a character like any
// other, also at the start of a name or a value: a key set with it is found
// again, and its value keeps it.
TEST(ProfileFile, ZeroWidthNoBreakSpaceIsText) {
  const QString z(QChar(0xFEFF));
  for (auto qt : {QStringEncoder::Utf8, QStringEncoder::Utf16LE}) {
    // The encoder writes the file's mark; the text's own U+FEFF follow it.
    auto save = [qt](const QString& t) {
      return QByteArray(QStringEncoder(qt, QStringEncoder::Flag::WriteBom)(t));
    };
    ProfileFile f(save("[K]\n"));
    f.setValue("K", z, z + "v");
    f.setValue("K", z, z + "w");
    f.setValue("K", z + "x", "y");
    EXPECT_EQ(f.bytes(), save("[K]\n" + z + "=" + z + "w\r\n" + z + "x=y\r\n"));
    const ProfileFile again(f.bytes());
    EXPECT_EQ(std::tuple(again.value("K", z), again.value("K", z + "x"), again.value("K", "x")),
              std::tuple(z + "w", QString("y"), QString()));
  }
}

// Plain ASCII names are hashed byte by byte; every letter must land where
// decoding and folding the name puts it, in either case.
TEST(ProfileFile, PlainNamesHashAsTheirFoldedText) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    for (const QByteArray& name : {QByteArray(1, c), "Name" + QByteArray(1, c) + "0",
                                   QByteArray(1, char(c + 32)) + "ey z"}) {
      const uint32_t folded = profileNameHash(QString::fromLatin1(name).toCaseFolded());
      for (const QByteArray& spelled : {name, name.toUpper(), name.toLower()})
        for (TextEncoding enc : {TextEncoding::Cp932, TextEncoding::Utf8})
          EXPECT_EQ(profileNameHash(spelled.constData(), spelled.size(), enc), folded)
              << spelled.toStdString();
    }
  }
  // Names that are not plain ASCII take the general path.
  EXPECT_EQ(profileNameHash(sjis("Ａｂ").constData(), 4, TextEncoding::Cp932),
            profileNameHash(QStringLiteral("ａｂ")));
}

}  // namespace
}  // namespace kv
