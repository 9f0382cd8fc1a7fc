// The profile-file reader and writer on arbitrary bytes and edits, in each
// encoding: the reader must agree with the plain reference after every step,
// the file it writes must parse back to the same values, and a key set with
// a plain name and value reads back as set.
#include <fuzzer/FuzzedDataProvider.h>

#include <QStringEncoder>
#include <utility>
#include <vector>

#include "settings/profile_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/reference_profile.h"

using kv::ProfileFile;
using kv::fuzz::ReferenceProfile;

namespace {

// Names of the settings file, so edits hit existing sections and keys, and
// a few that test matching without regard to case or blanks.
const char* const kNames[] = {"Option", "Ranking", "Form",  "IniCheck", "Dummy", "Kakudai",
                              "Name0",  "RANKING", " form", "option\t", "Left",  "x"};

QString pickName(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return QString::fromLatin1(in.PickValueInArray(kNames));
  return kv::fuzz::text(in, 12);
}

// A name and a value that the file format carries unchanged.
bool plain(const QString& s, bool isName) {
  if (s.isEmpty() && isName) return false;
  if (s.size() > 150) return false;
  for (QChar c : s) {
    const char16_t u = c.unicode();
    if (u < 0x21 || u > 0x7E || u == '=' || u == '\\' || u == '~') {
      if (!(u == ' ' && !isName)) return false;
    }
  }
  if (isName) return s[0] != ';' && s[0] != '[';
  return !s.startsWith(u' ') && !s.endsWith(u' ');
}

// The file a text editor saves in UTF-8 or UTF-16, with its mark.
QByteArray withMark(int how, const QByteArray& text) {
  if (how == 1) return "\xEF\xBB\xBF" + text;
  const bool le = how == 2;
  QStringEncoder toUtf16(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
  return QByteArray(le ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(toUtf16(QString::fromUtf8(text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int how = in.ConsumeIntegralInRange(0, 3);  // Shift-JIS, UTF-8, UTF-16 LE, BE
  QByteArray text = kv::fuzz::bytes(in, in.ConsumeIntegralInRange<size_t>(0, 4096));
  if (how >= 2) text = QString::fromUtf8(text).toUtf8();  // what UTF-16 can hold
  auto expected = [how](const QByteArray& t) { return how == 0 ? t : withMark(how, t); };
  const QByteArray file = expected(text);
  // Bytes that happen to start like a mark make no Shift-JIS file.
  if (how == 0 && (file.startsWith("\xEF\xBB\xBF") || file.startsWith("\xFF\xFE") ||
                   file.startsWith("\xFE\xFF")))
    return 0;
  ProfileFile f(file);
  ReferenceProfile ref(text, how != 0);
  KV_CHECK(f.bytes() == expected(ref.bytes()));

  std::vector<std::pair<QString, QString>> used;
  for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
    const QString section = pickName(in), key = pickName(in);
    used.emplace_back(section, key);
    if (in.ConsumeBool()) {
      KV_CHECK(f.value(section, key) == ref.value(section, key));
      continue;
    }
    const QString value = kv::fuzz::text(in, 40);
    f.setValue(section, key, value);
    ref.setValue(section, key, value);
    KV_CHECK(f.bytes() == expected(ref.bytes()));
    KV_CHECK(f.value(section, key) == ref.value(section, key));
    if (plain(section, true) && plain(key, true) && plain(value, false)) {
      KV_CHECK(f.value(section, key) == value);
    }
  }
  // What was written parses back to the same values.
  const ProfileFile again(f.bytes());
  for (const auto& [section, key] : used)
    KV_CHECK(again.value(section, key) == f.value(section, key));
  return 0;
}
