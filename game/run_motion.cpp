// The frame loop of a run: one law step and one trace segment per frame of
// at least FramePeriod ms, events handled while the frame's time runs out,
// holds (pause, answer marking) not counted.
#include "app/form.h"
#include "game/motion_laws.h"

namespace kv {

void Form::RunMotion() {
  MotionState& m = st.m;
  int32_t framePeriod = 40;
  for (;;) {
    uint32_t frameStart = plat.timeGetTime();
    if (onFrameStart) onFrameStart();
    const PictureBox pic{PicMain->Left(), PicMain->Width(), PicMain->Height()};
    framePeriod = ApplyLaw(st.StageNo, m, st.geo, pic, st.GameMode, framePeriod, plat.random());
    ClipAtRightEdge(m, st.geo.PlotRight);
    PicMain->Line(single(m.PointX), single(m.PointY), single(m.PrevX), single(m.PrevY), 0);
    m.PrevX = m.PointX;
    m.PrevY = m.PointY;

    for (;;) {
      plat.processEvents();
      // A hold pushes the frame's start forward by its length. A request to
      // quit also ends a hold, so closing the window while paused ends the
      // program.
      for (auto* flag : {&st.Paused, static_cast<int16_t*>(nullptr)}) {
        auto held = [&] { return flag ? *flag != 0 : st.Frozen != 0; };
        if (!held()) continue;
        const uint32_t t0 = plat.timeGetTime();
        while (held() && st.QuitRequested == 0) plat.waitForEvents(std::nullopt);
        frameStart += plat.timeGetTime() - t0;
      }
      if (st.QuitRequested != 0) break;
      const int32_t elapsed = static_cast<int32_t>(plat.timeGetTime() - frameStart);
      if (elapsed >= framePeriod) break;
      plat.waitForEvents(frameStart + static_cast<uint32_t>(framePeriod));
    }
    if (st.QuitRequested != 0) EndNow();
    if (!(m.PointX < st.geo.PlotRight)) return;
  }
}

}  // namespace kv
