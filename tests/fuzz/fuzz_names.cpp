// The name, date and rank-letter rules on arbitrary text.
#include <QStringList>

#include "scores/ranking.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kv;
  FuzzedDataProvider in(data, size);
  const QString text = fuzz::text(in, 64);

  QString halfWidth = text;
  const QString name = NormalizeName(halfWidth);
  KV_CHECK(AnsiByteLength(name) <= 10 || name == "NONAME" || name == "?");
  KV_CHECK(name == "NONAME" || name == "?" || name == halfWidth);
  // A name holds only what code page 932 holds, and folding it again
  // changes nothing.
  KV_CHECK(fromCp932(toCp932(halfWidth)) == halfWidth);
  KV_CHECK(FoldName(halfWidth) == halfWidth);
  // Its table line gives it ten columns, whatever its characters.
  const QByteArray line = toCp932(FormatRankingLine({name, "02/08/17", 12345, 12, 8}));
  KV_CHECK(line.size() == 40 && line.startsWith(toCp932(name)));
  KV_CHECK(line.mid(10) == "  02/08/17     S  12345     12");
  // A stored name is stored again unchanged.
  QString again = name;
  KV_CHECK(NormalizeName(again) == name && again == name);

  const QString date = CheckDate(text);
  KV_CHECK(date == (AnsiByteLength(text) == 8 ? text : QStringLiteral("--/--/--")));
  KV_CHECK(CheckDate(date) == date);

  const auto code = in.ConsumeIntegral<int16_t>();
  KV_CHECK(RankLetter(code).size() == (code >= 1 && code <= 8 ? 1 : 0));
  return 0;
}
