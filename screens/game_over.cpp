// GAME OVER: the plot shrinks around its centre and uncovers the caption,
// the effect plays, and about four seconds later the ranking follows.
#include <cmath>

#include "app/form.h"

namespace kv {

void Form::timGameover_Timer() {
  const int32_t tpx = st.geo.TwipsPerPixelX, tpy = st.geo.TwipsPerPixelY;
  if (PicMain->Height() >= 10 * tpy) {
    PicMain->Move(PicMain->Left() + 5 * tpx, PicMain->Top() + 5 * tpy, PicMain->Width() - 10 * tpx,
                  PicMain->Height() - 10 * tpy);
    return;
  }
  PicMain->setVisible(false);
  timGameover->setEnabled(false);
  timCorrect->setEnabled(false);
  Labelmsg->setVisible(false);

  // The wait is measured from the whole second of the day nearest to the
  // start, so it lasts between 3.5 and 4.5 s after the effect begins. The
  // time of day is read only for that rounding: the wait itself runs on the
  // millisecond clock, which a midnight, a daylight-saving change or a clock
  // set back cannot stretch.
  const double now = plat.secondsOfDay();
  const uint32_t startMs = plat.timeGetTime();
  const double behind = now - std::nearbyint(now);  // -0.5 .. 0.5 s
  // More than four seconds from the rounded start, in whole milliseconds.
  const auto waitMs = static_cast<uint32_t>(std::floor((4 - behind) * 1000)) + 1;
  PlayEffect(4, 1, 0);
  for (;;) {
    plat.processEvents();
    // An open menu holds the wait, as it holds every other wait.
    plat.holdWhileMenuOpen([this] { return st.QuitRequested != 0; });
    if (st.QuitRequested != 0) EndNow();
    if (plat.timeGetTime() - startMs >= waitMs) break;
    plat.waitForEvents(startMs + waitMs);
  }
  EnterRanking();
}

}  // namespace kv
