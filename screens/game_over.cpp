// GAME OVER: the plot shrinks around its centre and uncovers the caption,
// the effect plays, and about four seconds later the ranking follows.
#include <cmath>

#include "app/form.h"

namespace kv {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Seconds from `start` to the time of day `now`. The time of day starts again
// at midnight, so a wait that began late in the day would otherwise see a
// large negative span and last until the next day.
double secondsSince(double start, double now) {
  double elapsed = now - start;
  if (elapsed < -kSecondsPerDay / 2) elapsed += kSecondsPerDay;
  return elapsed;
}

}  // namespace

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

  // The wait is measured from the whole second nearest to the start, so it
  // lasts between 3.5 and 4.5 s after the effect begins.
  const double start = std::nearbyint(plat.secondsOfDay());
  PlayEffect(4, 1, 0);
  for (;;) {
    plat.processEvents();
    // An open menu holds the wait, as it holds every other wait.
    plat.holdWhileMenuOpen([this] { return st.QuitRequested != 0; });
    if (st.QuitRequested != 0) EndNow();
    const double elapsed = secondsSince(start, plat.secondsOfDay());
    if (elapsed > 4) break;
    // Sleep until just past the four seconds (or the next event).
    const auto remaining = static_cast<uint32_t>(std::floor((4 - elapsed) * 1000)) + 1;
    plat.waitForEvents(plat.timeGetTime() + remaining);
  }
  EnterRanking();
}

}  // namespace kv
