#include "platform/timer.h"

#include "platform/platform.h"

namespace kv {

Timer::~Timer() { platform_.timerDestroyed(*this); }

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  platform_.timerStateChanged(*this);
}

}  // namespace kv
