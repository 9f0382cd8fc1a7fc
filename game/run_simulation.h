#pragma once
// Runs a stage's motion without a window or a clock: law, right-edge clip
// and the hand-over to the next segment, frame after frame. Used by tests and
// benchmarks to count frames and frame periods.
#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "game/motion_laws.h"
#include "platform/random.h"

namespace kv {

// The designed picture (7560 × 5310 twips at 15 twips per pixel, a 1200-twip
// answer marker) and the geometry derived from it.
PlotGeometry DesignedGeometry();
PictureBox DesignedPicture();

// Frames after which a simulated run is given up (no law needs nearly as many).
inline constexpr int kSimulationFrameCap = 1000000;

// Moves st.m by the law of st.StageNo under the designed geometry until
// PointX >= PlotRight and returns the number of frames, or -1 if the run had
// not ended after maxFrames. The law sees GameMode 2 before frame
// pressAtFrame (1-based) and 3 from it on; -1 means no press. If `periods` is
// given, the frame period in force after each frame's law is appended.
int SimulateRunFrames(GameState& st, Random& rnd, int pressAtFrame = -1,
                      int maxFrames = kSimulationFrameCap, std::vector<int32_t>* periods = nullptr);

}  // namespace kv
