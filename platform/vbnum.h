#pragma once
// Numeric conventions of the game: banker's rounding for real-to-integer
// conversion, integer division truncating toward zero, remainders keeping the
// dividend's sign, single-precision rounding of plot coordinates, colour
// numbers stored as 0x00BBGGRR, and the two ways numbers become text.
#include <QString>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace kv {

using Color = int32_t;  // 0x00BBGGRR; -1 means "no colour" (a pixel outside a picture)

constexpr Color rgb(int r, int g, int b) {
  auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
  return clamp(r) | (clamp(g) << 8) | (clamp(b) << 16);
}
constexpr int redOf(Color c) { return c & 0xFF; }
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }

// Real to integer: nearest, halves to the even neighbour.
inline int64_t clng(double v) { return static_cast<int64_t>(std::nearbyint(v)); }
// Integer division truncating toward zero (C++ already does this).
constexpr int64_t idiv(int64_t a, int64_t b) { return a / b; }
// Remainder with the sign of the dividend (C++ already does this).
constexpr int64_t imod(int64_t a, int64_t b) { return a % b; }
// Value rounded to single precision, as plot coordinates are handed to drawing.
inline double single(double v) { return static_cast<double>(static_cast<float>(v)); }
// Sign: -1, 0 or +1.
inline int sgn(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// The plain number form: one leading blank for a number that is not
// negative, a minus sign for a negative one.
template <typename T>
requires std::is_integral_v<T>
inline QString numText(T v) {
  const auto w = static_cast<int64_t>(v);
  return w < 0 ? QString::number(w) : QStringLiteral(" ") + QString::number(w);
}
inline QString numText(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) return numText<int64_t>(static_cast<int64_t>(v));
  QString s = QString::number(v, 'g', 15);
  return v < 0 ? s : QStringLiteral(" ") + s;
}
// Three-section pattern such as "+#0;-#0;0": a sign for non-zero values,
// "0" for zero. All patterns the game uses reduce to this.
inline QString signedText(int64_t v) {
  if (v == 0) return QStringLiteral("0");
  return v > 0 ? QStringLiteral("+") + QString::number(v) : QString::number(v);
}

}  // namespace kv
