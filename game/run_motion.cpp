// The frame loop of a run: one law step and one trace segment per frame of
// at least FramePeriod ms, events handled while the frame's time runs out,
// holds (pause, answer marking) not counted.
#include "app/form.h"
#include "game/motion_laws.h"

namespace kv {

void Form::RunMotion() {
  MotionState& m = st.m;
  int32_t framePeriod = 40;
  // The frame is timed on the platform's finest clock, so that a frame never
  // ends early by the fraction of a millisecond at which it started.
  double frameStart = 0;
  // A hold pushes the frame's start forward by its length. A request to quit
  // also ends a hold, so closing the window while paused ends the program.
  auto holdWhile = [&](auto held) {
    if (!held()) return;
    const double t0 = plat.preciseMs();
    while (held() && st.QuitRequested == 0) plat.waitForEvents(std::nullopt);
    frameStart += plat.preciseMs() - t0;
  };
  for (;;) {
    frameStart = plat.preciseMs();
    if (onFrameStart) onFrameStart();
    const PictureBox pic{PicMain->Left(), PicMain->Width(), PicMain->Height()};
    framePeriod = ApplyLaw(st.StageNo, m, st.geo, pic, st.GameMode, framePeriod, plat.random());
    ClipAtRightEdge(m, st.geo.PlotRight);
    PicMain->Line(single(m.PointX), single(m.PointY), single(m.PrevX), single(m.PrevY), 0);
    m.PrevX = m.PointX;
    m.PrevY = m.PointY;

    for (;;) {
      plat.processEvents();
      plat.holdWhileMenuOpen([this] { return st.QuitRequested != 0; });
      holdWhile([&] { return st.Paused != 0; });
      holdWhile([&] { return st.Frozen != 0; });
      if (st.QuitRequested != 0) break;
      if (plat.preciseMs() - frameStart >= framePeriod) break;
      plat.waitForEventsUntilPrecise(frameStart + framePeriod);
    }
    if (st.QuitRequested != 0) EndNow();
    if (!(m.PointX < st.geo.PlotRight)) return;
  }
}

}  // namespace kv
