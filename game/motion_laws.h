#pragma once
// The sixteen motion laws, one application per frame, and the right-edge clip.
#include <cstdint>

#include "game/game_state.h"
#include "platform/random.h"

namespace kv {

// PicMain's properties as read at the moment a law compares against them.
struct PictureBox {
  double Left = 0;
  double Width = 0;
  double Height = 0;
};

// Applies the law of `stageNo` once to `m`. Returns the frame period in
// milliseconds to use from now on (only the Ambition law changes it: 400 or
// 40; the others return `framePeriod` unchanged).
int32_t ApplyLaw(int16_t stageNo, MotionState& m, const PlotGeometry& g, const PictureBox& pic,
                 int32_t gameMode, int32_t framePeriod, Random& rnd);

// If PointX passed PlotRight, cuts the last segment where it crosses
// x = PlotRight.
void ClipAtRightEdge(MotionState& m, int32_t plotRight);

}  // namespace kv
