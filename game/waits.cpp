// The wait clock of the timed sequences. A wait blocks in the event loop
// until the next event or its deadline; paused time does not count, and a
// request to quit ends the program from inside any wait.
//
// The clock is a 32-bit millisecond counter that wraps. WaitStart is stored
// as a signed field, but all arithmetic on it is done modulo 2^32 in
// unsigned integers, and a remaining time is taken once per pass as a signed
// difference: the clock may move on between two reads (a loaded machine, a
// page fault), so a second read must never be used to size a sleep.
#include <cstdlib>

#include "app/form.h"

namespace kv {

namespace {
uint32_t asClock(int32_t v) { return static_cast<uint32_t>(v); }
int32_t asField(uint32_t v) { return static_cast<int32_t>(v); }
}  // namespace

void Form::MarkTime() { st.WaitStart = asField(plat.timeGetTime()); }

void Form::EndNow() {
  plat.endProgram();
  std::abort();  // not reached
}

void Form::WaitSince(int32_t ms, bool withEvents) {
  for (;;) {
    if (withEvents) {
      plat.processEvents();
      plat.holdWhileMenuOpen([this] { return st.QuitRequested != 0; });
    }
    if (st.Paused != 0) {
      const uint32_t t0 = plat.timeGetTime();
      while (st.Paused != 0 && st.QuitRequested == 0) {
        if (withEvents)
          plat.waitForEvents(std::nullopt);
        else
          plat.sleepWithoutEvents(1);
      }
      st.WaitStart = asField(asClock(st.WaitStart) + (plat.timeGetTime() - t0));
    }
    if (st.QuitRequested != 0) EndNow();
    const uint32_t now = plat.timeGetTime();
    const int32_t elapsed = static_cast<int32_t>(now - asClock(st.WaitStart));
    const int64_t remaining = static_cast<int64_t>(ms) - elapsed;
    if (remaining <= 0) return;
    if (withEvents)
      plat.waitForEvents(now + static_cast<uint32_t>(remaining));
    else
      plat.sleepWithoutEvents(static_cast<uint32_t>(remaining));
  }
}

}  // namespace kv
