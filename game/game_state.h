#pragma once
// The one game-state record of the window. Every field starts at zero.
#include <array>
#include <cstdint>
#include <QString>

#include "platform/vbnum.h"

namespace kv {

// The plot geometry, derived once at start-up from PicMain's size (twips).
struct PlotGeometry {
  int32_t TwipsPerPixelX = 15;
  int32_t TwipsPerPixelY = 15;
  int32_t ColumnWidth = 0;
  int32_t RowHeight = 0;
  int32_t PlotRight = 0;
  int32_t PlotBottom = 0;
  int32_t ColumnCount = 0;
  int32_t AnsMarkOffset = 0;
  int32_t MainLeft = 0, MainTop = 0, MainWidth = 0, MainHeight = 0;
  int32_t ZoomSource = 0;

  // Derivation from the picture's rectangle and the marker's height.
  static PlotGeometry derive(int32_t tppX, int32_t tppY, int32_t left, int32_t top, double width,
                             double height, int32_t ansHeight) {
    PlotGeometry g;
    g.TwipsPerPixelX = tppX;
    g.TwipsPerPixelY = tppY;
    g.ColumnWidth = 8 * tppX;
    g.MainLeft = left;
    g.MainTop = top;
    g.MainHeight = static_cast<int32_t>(clng(height));
    g.MainWidth = static_cast<int32_t>(clng(width));
    g.RowHeight = g.MainHeight / 4;
    g.PlotRight = static_cast<int32_t>(clng(g.MainWidth - g.RowHeight - tppX));
    g.AnsMarkOffset = (g.RowHeight - ansHeight) / 2;
    g.ColumnCount = (g.MainWidth - g.RowHeight) / g.ColumnWidth;
    g.PlotBottom = g.MainHeight - 4 * tppY;
    g.ZoomSource = 20 * tppX;
    return g;
  }
};

// The moving point and the per-stage parameters the motion laws use.
struct MotionState {
  double PointX = 0, PointY = 0;
  double PrevX = 0, PrevY = 0;
  double VelX = 0, VelY = 0;
  double AccelX = 0, AccelY = 0;
  double ParamA = 0, ParamB = 0;
  int32_t StageCounter = 0;
  int32_t TargetY = 0;
  std::array<double, 5> RaceX{};
  std::array<double, 5> RaceSpeed{};
  std::array<double, 3> Anchor{};
};

// What a stage is scored by.
struct StageScoring {
  int16_t MissPenalty = 0;
  int16_t ScalePoints = 0;
  int16_t AnsColumn = 0;
};

struct GameState {
  PlotGeometry geo;
  MotionState m;

  int32_t GameMode = 0;
  int16_t StageNo = 0;
  QString StageTitle;
  int32_t Score = 0;
  int16_t MissPenalty = 0;
  int16_t ScalePoints = 0;
  int16_t AnsColumn = 0;
  int32_t PressColumn = 0;
  int16_t AnsRow = 0;
  int32_t Frozen = 0;
  int16_t Paused = 0;
  int16_t QuitRequested = 0;
  int16_t RetryFlag = 0;
  int16_t MissCount = 0;
  int16_t CautionCount = 0;
  int32_t CautionColumn = 0;
  int16_t CautionFlashCount = 0;
  int16_t MissFlashCount = 0;
  int16_t TitleDblClicks = 0;
  int16_t AnsPromptClicks = 0;
  int16_t AnsPromptTick = 0;
  int16_t FinalRank = 0;
  int16_t RankPos = 0;
  int16_t HotLetter = 0;
  int32_t NameFlashTicks = 0;
  int16_t EndingTicks = 0;
  int16_t FryTicks = 0;
  std::array<Color, 9> RankColors{};
  int16_t StageMenuUnlocked = 0;
  int16_t TitleShown = 0;
  int16_t MsgSlideStep = 0;
  int16_t ColorR = 0, ColorG = 0, ColorB = 0;
  int32_t WaitStart = 0;
  int16_t AnswerHit = 0;
  int16_t MarkerKeyMoved = 0;
  int16_t AnsEnabledBeforePause = 0;
  int16_t PauseFlashPhase = 0;
};

}  // namespace kv
