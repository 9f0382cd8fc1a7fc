// The wait clock of the timed sequences. A wait blocks in the event loop
// until the next event or its deadline; paused time does not count, and a
// request to quit ends the program from inside any wait.
#include <cstdlib>

#include "app/form.h"

namespace kv {

void Form::MarkTime() { st.WaitStart = static_cast<int32_t>(plat.timeGetTime()); }

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
      st.WaitStart += static_cast<int32_t>(plat.timeGetTime() - t0);
    }
    if (st.QuitRequested != 0) EndNow();
    const uint32_t elapsed = plat.timeGetTime() - static_cast<uint32_t>(st.WaitStart);
    if (static_cast<int32_t>(elapsed) >= ms) return;
    const uint32_t deadline = static_cast<uint32_t>(st.WaitStart) + static_cast<uint32_t>(ms);
    if (withEvents)
      plat.waitForEvents(deadline);
    else
      plat.sleepWithoutEvents(deadline - plat.timeGetTime());
  }
}

}  // namespace kv
