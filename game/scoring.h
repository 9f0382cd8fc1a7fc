#pragma once
// The verdict's arithmetic and texts.
#include <cstdint>
#include <QString>

namespace kv {

// Rank code (2..8) of a game that cleared stage 15.
int16_t RankRule(int32_t score, int16_t missCount);

// "STAGE" + number with leading blank + " CLEAR !!".
QString ClearText(int16_t stageNo);
// The score line of a correct verdict: columns × points = gain, e.g.
// "+5 x 10 = +50", "-3 x 20 = -60", "0 x 10 = 0".
QString ScoreLineText(int32_t columns, int32_t pointsPerColumn, int32_t gained);

// Colour components of sweep step k of n at intensity I (banker's rounding).
struct SweepColor {
  int red;
  int blue;
};
SweepColor SweepColorAt(int intensity, int k, int n);

}  // namespace kv
