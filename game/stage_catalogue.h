#pragma once
// The sixteen stages: title, scoring integers and the random draws that set
// a stage up.
#include <cstdint>
#include <QString>

#include "game/game_state.h"
#include "platform/random.h"

namespace kv {

struct StageInfo {
  const char* title;
  int16_t MissPenalty;
  int16_t ScalePoints;
  int16_t AnsColumn;
};

// Stage 1..16 (16 is the EXTRA STAGE).
const StageInfo& StageCatalogue(int stageNo);

// "STAGE n" for n < 16, "EXTRA STAGE" otherwise.
QString StageLabel(int16_t n);

// The stage set-up: PointX = PointY = 0, StageTitle, the stage's initial
// parameters drawn in the catalogue's order, the three scoring integers,
// then PrevX/PrevY = PointX/PointY.
void SetUpStage(GameState& st, Random& rnd);

}  // namespace kv
