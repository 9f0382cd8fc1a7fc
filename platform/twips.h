#pragma once
// The one rule that turns the game's twips into screen pixels: divide by the
// twips per pixel and round to the nearest pixel, halves up (floor(t/15 + .5)).
// It is used for every control position and size, every drawing coordinate
// and every pixel read, so a figure drawn at a twip position and a pixel read
// at the same position always meet.
#include <cmath>

namespace kv {

inline int g_twipsPerPixel = 15;

inline int toPx(double twips) {
  return static_cast<int>(std::floor(twips / g_twipsPerPixel + 0.5));
}
inline double toTwips(int px) { return static_cast<double>(px) * g_twipsPerPixel; }

}  // namespace kv
