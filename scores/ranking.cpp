#include "scores/ranking.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "platform/cp932.h"

namespace kv {
namespace {

constexpr int kEntries = 10;
constexpr int kMaxNameBytes = 10;
constexpr int16_t kLastRegularStage = 15;

// Katakana that have a half-width twin, in the order of the twins from
// U+FF65 ("･") to U+FF9D ("ﾝ").
constexpr char16_t kFullKana[] =
    u"・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメ"
    u"モヤユヨラリルレロワン";
constexpr char16_t kFirstHalfKana = 0xFF65;
static_assert(sizeof(kFullKana) / sizeof(char16_t) - 1 == 0xFF9D - kFirstHalfKana + 1);

// The half-width twin of a plain katakana, or 0.
char16_t halfKana(char16_t c) {
  for (size_t i = 0; kFullKana[i] != 0; ++i)
    if (kFullKana[i] == c) return static_cast<char16_t>(kFirstHalfKana + i);
  return 0;
}

// The half-width forms of full-width punctuation that Shift-JIS holds in
// one byte, from U+FF61 ("｡") on.
constexpr char16_t kFullPunctuation[] = u"。「」、";
constexpr char16_t kFirstHalfPunctuation = 0xFF61;

// The half-width voiced and semi-voiced marks.
constexpr char16_t kHalfVoiced = 0xFF9E, kHalfSemiVoiced = 0xFF9F;
constexpr char16_t kCombiningVoiced = 0x3099, kCombiningSemiVoiced = 0x309A;
constexpr char16_t kSpacingVoiced = 0x309B, kSpacingSemiVoiced = 0x309C;

// A combining voiced mark joins the kana before it where Unicode has the
// pair as one character (カ and U+3099 are ガ); elsewhere it becomes the
// spacing mark ゛ or ゜. Code page 932 holds no combining marks, and a name
// typed or pasted in that form must not lose them.
QString joinVoicedMarks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar qc : text) {
    const char16_t c = qc.unicode();
    if (c != kCombiningVoiced && c != kCombiningSemiVoiced) {
      out += qc;
      continue;
    }
    const QString joined =
        out.isEmpty() ? QString()
                      : (QString(out.back()) + qc).normalized(QString::NormalizationForm_C);
    if (joined.size() == 1) {
      out.back() = joined.front();
    } else {
      out += QChar(c == kCombiningVoiced ? kSpacingVoiced : kSpacingSemiVoiced);
    }
  }
  return out;
}

// Full-width letters, digits, ASCII symbols, the ideographic space,
// punctuation and katakana to their half-width forms; a voiced katakana
// becomes two characters. Every other character stays as typed: a general
// full-to-half mapping would also turn symbols such as "○" or "■" into
// half-width forms that Shift-JIS cannot hold, and the name would not
// survive a save.
QString toHalfWidth(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar qc : text) {
    const char16_t c = qc.unicode();
    const std::u16string_view punctuation(kFullPunctuation);
    if (c >= 0xFF01 && c <= 0xFF5E) {
      out += QChar(static_cast<char16_t>(c - 0xFF01 + 0x21));
    } else if (c == 0x3000) {
      out += QLatin1Char(' ');
    } else if (const size_t p = punctuation.find(c); p != punctuation.npos) {
      out += QChar(static_cast<char16_t>(kFirstHalfPunctuation + p));
    } else if (c == kSpacingVoiced || c == kSpacingSemiVoiced) {
      out += QChar(c == kSpacingVoiced ? kHalfVoiced : kHalfSemiVoiced);
    } else if (const char16_t k = halfKana(c)) {
      out += QChar(k);
    } else {
      // ガ is カ with the voiced mark (U+3099), パ is ハ with the semi-voiced
      // mark (U+309A): the base and a half-width mark.
      const QString d = qc.decomposition();
      const char16_t base = d.size() == 2 ? halfKana(d.at(0).unicode()) : 0;
      if (base != 0 && d.at(1).unicode() == kCombiningVoiced) {
        out += QChar(base);
        out += QChar(kHalfVoiced);
      } else if (base != 0 && d.at(1).unicode() == kCombiningSemiVoiced) {
        out += QChar(base);
        out += QChar(kHalfSemiVoiced);
      } else {
        out += qc;
      }
    }
  }
  return out;
}

bool isBlankName(const QString& s) {
  for (QChar c : s)
    if (c != u' ') return false;
  return true;
}

}  // namespace

void ClearRanking(RankingTable& t) {
  for (int i = 0; i < kEntries; ++i) {
    RankingEntry& e = t.e[i];
    e.Name = QStringLiteral("Empty");
    e.Date = QStringLiteral("--/--/--");
    e.Score = 0;
    e.Stage = 10 - i;
    e.Rank = 1;
  }
}

QString RankLetter(int16_t code) {
  static const QString letters = QStringLiteral("-ZEDCBAS");
  if (code < 1 || code > letters.size()) return {};
  return letters.mid(code - 1, 1);
}

int16_t AnsiByteLength(const QString& text) {
  const qsizetype n = toCp932(text).size();
  return static_cast<int16_t>(std::min<qsizetype>(n, std::numeric_limits<int16_t>::max()));
}

QString FoldName(const QString& text) {
  // Half-width forms last: the code page's best fit may give a full-width
  // form ("〜" becomes "～"), which then becomes half-width like a typed one.
  return toHalfWidth(fitToCp932(joinVoicedMarks(text)));
}

QString NormalizeName(QString& name) {
  name = FoldName(name);
  if (isBlankName(name)) return QStringLiteral("NONAME");
  if (AnsiByteLength(name) > kMaxNameBytes) return QStringLiteral("?");
  return name;
}

QString CheckDate(const QString& text) {
  return AnsiByteLength(text) == 8 ? text : QStringLiteral("--/--/--");
}

QString FormatRankingDate(const QDate& d) {
  // An invalid date gives "", which CheckDate turns into "--/--/--".
  if (!d.isValid()) return {};
  const int yy = ((d.year() % 100) + 100) % 100;
  return QString::asprintf("%02d/%02d/%02d", yy, d.month(), d.day());
}

void InsertRankingEntry(RankingTable& t, int pos, const GameResult& r, const QDate& today) {
  if (pos < 0 || pos >= kEntries) return;
  for (int k = kEntries - 2; k >= pos; --k) t.e[k + 1] = t.e[k];
  RankingEntry& e = t.e[pos];
  e.Name = QString(kMaxNameBytes, u' ');
  e.Date = CheckDate(FormatRankingDate(today));
  e.Score = r.Score;
  e.Stage = r.StageNo;
  e.Rank = r.FinalRank;
}

namespace {
// At least `digits` digits with leading zeros; a minus sign in front.
QString zeroPadded(int64_t v, int digits) {
  const QString d = QString::number(v < 0 ? -v : v).rightJustified(digits, QLatin1Char('0'));
  return v < 0 ? QStringLiteral("-") + d : d;
}
}  // namespace

QString FormatRankingLine(const RankingEntry& e) {
  QString letter = RankLetter(e.Rank);
  if (letter.isEmpty()) letter = QStringLiteral(" ");
  // The fixed-pitch face draws a character one column wide for each byte it
  // takes in Shift-JIS: a kanji fills two.
  const QString name = e.Name + QString(std::max(0, 10 - AnsiByteLength(e.Name)), u' ');
  return name + QStringLiteral("  ") + e.Date + QStringLiteral("     ") + letter +
         QStringLiteral("  ") + zeroPadded(e.Score, 5) + QStringLiteral("     ") +
         zeroPadded(e.Stage, 2);
}

int PlaceResult(RankingTable& t, GameResult& r, const QDate& today) {
  if (r.Score < 0) r.Score = 0;
  // Games of the extra stage are never ranked.
  if (r.StageNo > kLastRegularStage) return -1;
  for (int i = 0; i < kEntries; ++i) {
    const RankingEntry& e = t.e[i];
    // Ties in all three keys do not beat the entry: the older one stays above.
    const bool beats = r.FinalRank > e.Rank || (r.FinalRank == e.Rank && r.Score > e.Score) ||
                       (r.FinalRank == e.Rank && r.Score == e.Score && r.StageNo > e.Stage);
    if (beats) {
      InsertRankingEntry(t, i, r, today);
      return i;
    }
  }
  return -1;
}

}  // namespace kv
