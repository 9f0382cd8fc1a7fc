#include "settings/options.h"

#include <cstddef>

namespace kv {
namespace {

// Ticks item `index` of the submenu and unticks the others. An index outside
// the submenu changes nothing and gives false.
template <std::size_t N>
bool tickOnly(std::array<bool, N>& ticks, int index) {
  if (index < 0 || index >= static_cast<int>(N)) return false;
  for (std::size_t i = 0; i < N; ++i) ticks[i] = static_cast<int>(i) == index;
  return true;
}

}  // namespace

void clickKakudai(int index, Options& o, OptionTicks& t) {
  if (tickOnly(t.kakudai, index)) o.OptKakudai = static_cast<int16_t>(index);
}

void clickLineWidth(int index, Options& o, OptionTicks& t) {
  if (tickOnly(t.lineWidth, index)) o.OptLineWidth = index + 1;
}

void clickCountDownSpeed(int index, Options& o, OptionTicks& t) {
  if (tickOnly(t.countDown, index)) o.OptCountDownSpeed = static_cast<int16_t>(index);
}

void clickSoundEffect(int index, Options& o, OptionTicks& t) {
  if (tickOnly(t.sound, index)) o.OptSoundEffect = static_cast<int16_t>(index);
}

}  // namespace kv
