#include "game/stage_catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kv {

namespace {

const std::array<StageInfo, 16> kStages = {{
    {"Proportion", 120, 5, 36},
    {"Parabola", 75, 7, 40},
    {"COS", 100, 10, 33},
    {"Acceleration", 240, 27, 14},
    {"Bounce", 180, 9, 34},
    {"Race", 210, 24, 22},
    {"Saw", 250, 20, 27},
    {"Fret", 300, 18, 24},
    {"Surprise Attack", 360, 14, 23},
    {"Convergence", 250, 16, 25},
    {"Noise", 320, 12, 25},
    {"MOD", 280, 15, 28},
    {"Jump", 800, 40, 22},
    {"Spiral", 500, 50, 5},
    {"Ambition", 5000, 32, 20},
    {"Boundary", 0, 500, 51},
}};

// One uniform draw, widened to double before any arithmetic.
double draw(Random& rnd) { return static_cast<double>(rnd.next()); }

// Sign of a fresh (R - 0.5): a draw of exactly 0.5 gives 0.
int drawSign(Random& rnd) { return sgn(draw(rnd) - 0.5); }

double floorOf(double v) { return std::floor(v); }

// Each stage's random start. Draws happen in the order the expressions are
// written, so a seeded or fed generator reproduces a stage exactly.
void drawInitialValues(int16_t stageNo, MotionState& m, const PlotGeometry& g, Random& rnd) {
  switch (stageNo) {
    case 1:
      m.VelY = draw(rnd) * 59 + 1;
      break;
    case 2:
      m.VelY = 50;
      m.AccelY = -draw(rnd) * 0.35 - 0.23;
      break;
    case 3:
      m.PointY = 30;
      m.VelY = 0;
      m.AccelY = draw(rnd) + 4;
      m.VelX = draw(rnd) * 27 + 21;
      break;
    case 4:
      m.PointY = g.PlotBottom / 2;
      m.VelX = 60;
      m.AccelX = 1.6;
      m.VelY = 0;
      m.AccelY = draw(rnd) * 7.6 - 3.8;
      break;
    case 5:
      m.ParamA = draw(rnd) * 0.2 + 0.8;
      m.VelX = draw(rnd) * 12 + 24;
      m.VelY = 0;
      break;
    case 6:
      // StageCounter is deliberately kept: the bar order carries over.
      m.Anchor[0] = 0;
      for (int i = 0; i < 4; ++i) {
        m.RaceX[i] = draw(rnd) * 66 * g.TwipsPerPixelX + m.PointX;
        m.RaceSpeed[i] = draw(rnd) * 35 + 65;
      }
      break;
    case 7:
      m.Anchor[0] = 0;
      m.Anchor[1] = g.PlotBottom;
      m.TargetY = static_cast<int32_t>(clng(draw(rnd) * (g.PlotBottom - g.TwipsPerPixelY)));
      m.VelX = draw(rnd) * 9 + 45;
      break;
    case 8:
      m.VelX = 0;
      m.AccelX = 0;
      m.VelY = draw(rnd) * 80 + 80;
      break;
    case 9:
      m.StageCounter = static_cast<int32_t>(clng(draw(rnd) * 90 + 30));
      break;
    case 10: {
      m.AccelY = draw(rnd) * g.PlotBottom;
      m.PointY = m.AccelY;
      m.TargetY = static_cast<int32_t>(clng(draw(rnd) * g.PlotBottom));
      m.VelX = draw(rnd) * 15 + 81;
      const int s = drawSign(rnd);  // the sign is drawn before the magnitude
      m.VelY = s * (draw(rnd) * 90 + 120);
      break;
    }
    case 11:
      m.TargetY = static_cast<int32_t>(clng(draw(rnd) * g.PlotBottom));
      m.VelX = draw(rnd) * 10 + 30;
      break;
    case 12:
      m.VelX = draw(rnd) * 24 + 45;
      m.VelY = draw(rnd) * 72 + 150;
      break;
    case 13:
      m.VelY = 25;
      m.VelX = 80;
      break;
    case 14: {
      m.PointX = g.PlotRight / 2;
      m.PointY = g.PlotBottom / 2;
      m.AccelX = draw(rnd) * 0.8 - 0.4;
      const double magnitude = draw(rnd) * 100 + 100;
      int s = drawSign(rnd);
      // The spiral's x is PlotRight \ 2 plus a multiple of VelX; with VelX 0
      // the point would sit at mid-plot forever and the run could never end.
      if (s == 0) s = 1;
      m.VelX = s * magnitude;
      m.ParamA = 0;
      m.ParamB = draw(rnd) * 0.08 + 0.12;
      break;
    }
    case 15: {
      m.PointX = g.PlotRight / 2;
      m.PointY = g.PlotBottom / 2;
      m.AccelX = m.PointX;
      const double magX = draw(rnd) * 20 + 30;
      m.VelX = drawSign(rnd) * magX;
      const double magY = draw(rnd) * 20 + 30;
      m.VelY = drawSign(rnd) * magY;
      m.ParamA = 2;
      break;
    }
    case 16: {
      const double row = floorOf(draw(rnd) * 2 + 1);
      const double lift = floorOf(draw(rnd) * g.TwipsPerPixelY * 2);
      m.PointY = row * g.RowHeight - lift;
      m.VelX = 0;
      break;
    }
    default:
      break;
  }
}

}  // namespace

const StageInfo& StageCatalogue(int stageNo) {
  // Out-of-range numbers are clamped rather than read past the table.
  return kStages[static_cast<size_t>(std::clamp(stageNo, 1, 16) - 1)];
}

QString StageLabel(int16_t n) {
  if (n < 16) return QStringLiteral("STAGE ") + QString::number(n);
  return QStringLiteral("EXTRA STAGE");
}

void SetUpStage(GameState& st, Random& rnd) {
  MotionState& m = st.m;
  const StageInfo& info = StageCatalogue(st.StageNo);
  m.PointX = 0;
  m.PointY = 0;
  st.StageTitle = QString::fromLatin1(info.title);
  drawInitialValues(st.StageNo, m, st.geo, rnd);
  st.MissPenalty = info.MissPenalty;
  st.ScalePoints = info.ScalePoints;
  st.AnsColumn = info.AnsColumn;
  m.PrevX = m.PointX;
  m.PrevY = m.PointY;
}

}  // namespace kv
