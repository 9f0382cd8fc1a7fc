#pragma once
// The ten-entry high-score table and its rules.
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

namespace kv {

struct RankingEntry {
  QString Name;
  QString Date;
  int32_t Score = 0;
  int32_t Stage = 0;
  int16_t Rank = 0;
};

struct RankingTable {
  std::array<RankingEntry, 10> e;
};

// Resets the ten entries to "Empty", "--/--/--", 0, stage 10 - i, rank 1.
void ClearRanking(RankingTable& t);
// Character at the 1-based position `code` of "-ZEDCBAS"; "" outside 1..8.
QString RankLetter(int16_t code);
// Length in bytes of the text in code page 932 (Shift-JIS).
int16_t AnsiByteLength(const QString& text);
// The name as it can be kept: only what code page 932 holds (another
// character takes its best-fit form, as "ë" becomes "e", or is left out), in
// half-width forms where Shift-JIS has them (full-width letters, digits,
// symbols, space, punctuation and katakana; the voiced marks).
QString FoldName(const QString& text);
// FoldName (written back into `name`), then the "NONAME" (blank) and "?"
// (over 10 bytes) rules.
QString NormalizeName(QString& name);
// `text` if it is exactly 8 bytes long, else "--/--/--".
QString CheckDate(const QString& text);
// Today's date as "yy/mm/dd".
QString FormatRankingDate(const QDate& d);

// One line of the high-score table, 40 columns that match the heading
// "NAME            DATE  RANK  SCORE  STAGE" (more for longer names or
// numbers): the name is padded to ten columns of the fixed-pitch face, as
// many as its bytes in Shift-JIS.
QString FormatRankingLine(const RankingEntry& e);

// The result of a finished game.
struct GameResult {
  int16_t FinalRank = 1;
  int32_t Score = 0;
  int16_t StageNo = 1;
};

// Makes room at `pos` and writes the new entry there: ten blanks as name,
// CheckDate(FormatRankingDate(today)) as date.
void InsertRankingEntry(RankingTable& t, int pos, const GameResult& r, const QDate& today);

// Placing a finished game (clamp, extra-stage rule, scan, insert). Clamps
// `r.Score` to 0 when negative. Returns the index of the new entry, or -1
// when the result is not entered.
int PlaceResult(RankingTable& t, GameResult& r, const QDate& today);

}  // namespace kv
