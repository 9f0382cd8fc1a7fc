#include "game/scoring.h"

#include "platform/vbnum.h"

namespace kv {

int16_t RankRule(int32_t score, int16_t missCount) {
  if (missCount > 10) return 2;                 // Z
  if (score < 300 && missCount > 6) return 3;   // E
  if (score < 300) return 4;                    // D
  if (score < 800 || missCount > 5) return 5;   // C
  if (score < 1200 || missCount > 3) return 6;  // B
  if (score < 1600 || missCount > 1) return 7;  // A
  return 8;                                     // S
}

QString ClearText(int16_t stageNo) {
  return QStringLiteral("STAGE") + numText(static_cast<int64_t>(stageNo)) +
         QStringLiteral(" CLEAR !!");
}

QString ScoreLineText(int32_t columns, int32_t pointsPerColumn, int32_t gained) {
  return signedText(columns) + QStringLiteral(" x") +
         numText(static_cast<int64_t>(pointsPerColumn)) + QStringLiteral(" = ") +
         signedText(gained);
}

SweepColor SweepColorAt(int intensity, int k, int n) {
  // A sweep of no steps draws nothing; answer the starting colour rather
  // than divide by zero.
  if (n == 0) return {0, intensity};
  const double share = static_cast<double>(static_cast<int64_t>(intensity) * k) / n;
  return {static_cast<int>(clng(share)), static_cast<int>(clng(intensity - share))};
}

}  // namespace kv
