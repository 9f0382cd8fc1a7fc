#include "game/run_simulation.h"

namespace kv {

PlotGeometry DesignedGeometry() { return PlotGeometry::derive(15, 15, 0, 0, 7560, 5310, 1200); }

PictureBox DesignedPicture() { return PictureBox{0, 7560, 5310}; }

int SimulateRunFrames(GameState& st, Random& rnd, int pressAtFrame, int maxFrames,
                      std::vector<int32_t>* periods) {
  const PlotGeometry g = DesignedGeometry();
  const PictureBox pic = DesignedPicture();
  MotionState& m = st.m;
  int32_t framePeriod = 40;
  for (int frame = 1; frame <= maxFrames; ++frame) {
    const bool pressed = pressAtFrame >= 0 && frame >= pressAtFrame;
    framePeriod = ApplyLaw(st.StageNo, m, g, pic, pressed ? 3 : 2, framePeriod, rnd);
    ClipAtRightEdge(m, g.PlotRight);
    m.PrevX = m.PointX;
    m.PrevY = m.PointY;
    if (periods) periods->push_back(framePeriod);
    if (!(m.PointX < g.PlotRight)) return frame;
  }
  return -1;
}

}  // namespace kv
