#pragma once
// The user options and the tick marks of their menu items.
#include <array>
#include <cstdint>

namespace kv {

struct Options {
  int16_t OptKakudai = 0;         // 0 zoom view on, 1 off
  int32_t OptLineWidth = 1;       // trace width in pixels, 1..3
  int16_t OptCountDownSpeed = 0;  // 0..2
  int16_t OptSoundEffect = 0;     // 0 sound on, 1 off
  int16_t OptLanguage = 0;        // 0 the desktop's, 1 Japanese, 2 English
};

// Which item of each option submenu carries a tick. After loading a file with
// an unrecognised value none of an option's items may be ticked.
struct OptionTicks {
  std::array<bool, 2> kakudai{true, false};
  std::array<bool, 3> lineWidth{true, false, false};
  std::array<bool, 3> countDown{true, false, false};
  std::array<bool, 2> sound{true, false};
};

// Click handlers of the option items (index of the clicked item).
void clickKakudai(int index, Options& o, OptionTicks& t);
void clickLineWidth(int index, Options& o, OptionTicks& t);
void clickCountDownSpeed(int index, Options& o, OptionTicks& t);
void clickSoundEffect(int index, Options& o, OptionTicks& t);

}  // namespace kv
