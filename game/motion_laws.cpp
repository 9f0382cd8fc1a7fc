#include "game/motion_laws.h"

#include <cmath>

namespace kv {

namespace {

double draw(Random& rnd) { return static_cast<double>(rnd.next()); }

// Half the picture's height as the laws see it: the height rounded to an
// integer, then halved with truncation.
int64_t halfHeight(const PictureBox& pic) { return idiv(clng(pic.Height), 2); }

// Reflects a vertical step that would leave 0..PlotBottom: the point stays
// where it was and the step turns round.
void bounceVertically(MotionState& m, int32_t plotBottom) {
  const double t = m.PointY + m.VelY;
  m.PointY = t;
  if (t < 0 || t > plotBottom) {
    m.PointY = t - m.VelY;
    m.VelY = -m.VelY;
  }
}

void proportion(MotionState& m) {
  m.PointX += 72;
  m.PointY += m.VelY;
}

void parabola(MotionState& m) {
  m.PointX += 36;
  m.PointY += m.VelY;
  m.VelY += m.AccelY;
}

void cosine(MotionState& m, const PlotGeometry& g) {
  m.PointX += m.VelX;
  m.PointY += m.VelY;
  if (m.PointY <= 1.93 * g.RowHeight) {
    m.VelY += m.AccelY;
  } else {
    m.VelY -= m.AccelY;
  }
}

void acceleration(MotionState& m) {
  m.PointX += m.VelX;
  m.VelX += m.AccelX;
  m.AccelX += 0.4;
  m.PointY += m.VelY;
  m.VelY += m.AccelY;
}

void bounce(MotionState& m, const PlotGeometry& g) {
  m.PointX += m.VelX;
  m.PointY += m.VelY;
  if (m.PointY > g.PlotBottom) {
    m.PointY = g.PlotBottom;
    m.VelY = -m.VelY * m.ParamA;
  }
  m.VelY += 3;
}

void race(MotionState& m, const PlotGeometry& g) {
  // The counter is only ever 0..3 or a count-down that ended at 0, but a
  // negative value must not index outside the four bars.
  int64_t k = imod(static_cast<int64_t>(m.StageCounter) + 1, 4);
  if (k < 0) k += 4;
  m.StageCounter = static_cast<int32_t>(k);
  m.RaceX[k] += m.RaceSpeed[k];
  if (k == 1) m.Anchor[0] += 14;
  m.PrevX = 0;
  m.PrevY = static_cast<double>(k) * g.RowHeight + m.Anchor[0];
  m.PointX = m.RaceX[k];
  m.PointY = m.PrevY;
}

void saw(MotionState& m) {
  for (int i = 0; i < 2; ++i) {
    m.Anchor[i] = m.Anchor[i] - (m.Anchor[i] - m.TargetY) * m.PointX / 80000;
  }
  m.PointX += m.VelX;
  const int64_t phase = imod(clng(m.PointX), 1200);
  m.PointY = m.Anchor[0] + (m.Anchor[1] - m.Anchor[0]) * static_cast<double>(phase) / 1200;
}

void fret(MotionState& m, const PlotGeometry& g) {
  m.AccelX += 0.005;
  m.VelX += m.AccelX;
  m.PointX += m.VelX;
  bounceVertically(m, g.PlotBottom);
}

void surpriseAttack(MotionState& m, const PlotGeometry& g, Random& rnd) {
  if (m.StageCounter >= 1) {
    m.PointX += 3;
    m.StageCounter -= 1;
    m.PointY = draw(rnd) * g.PlotBottom;
  } else {
    m.PointX += 210;
  }
}

void convergence(MotionState& m, const PlotGeometry& g) {
  const double v = m.VelX * 0.98;
  const double c =
      m.AccelY + (m.PointX / static_cast<double>(g.PlotRight)) * (m.TargetY - m.AccelY);
  const double w = m.VelY - ((m.VelY + m.AccelY) - c) / 24;
  m.VelX = v;
  m.VelY = w;
  m.PointX = m.PointX + v + g.TwipsPerPixelX;
  m.AccelY = w + m.AccelY;  // keeps the unclamped height
  m.PointY = m.AccelY;
  if (m.PointY < 0) m.PointY = 0;
  if (m.PointY > g.PlotBottom - g.TwipsPerPixelY) m.PointY = g.PlotBottom - g.TwipsPerPixelY;
}

void noise(MotionState& m, const PlotGeometry& g, const PictureBox& pic, Random& rnd) {
  const double r = draw(rnd);
  const double f = 1 - (m.PointX - pic.Left) / (pic.Width - g.RowHeight);
  m.PointY = f * (r - 0.5) * g.PlotBottom + m.TargetY;
  if (m.PointY < 0) m.PointY = draw(rnd) * 0.25 * g.PlotBottom;
  if (m.PointY > g.PlotBottom) m.PointY = (draw(rnd) * 0.25 + 0.75) * g.PlotBottom;
  m.PointX += m.VelX;
}

void modulo(MotionState& m, const PlotGeometry& g) {
  const double x = m.PointX + m.VelX;
  const double y = m.PointY + m.VelY;
  m.PointX = x;
  m.PointY = y;
  if (y >= g.PlotBottom) {
    // The wrap frame draws a vertical stroke back to the top.
    m.PointY = 0;
    m.PointX = x - m.VelX;
  }
}

void jump(MotionState& m, const PlotGeometry& g, const PictureBox& pic, Random& rnd) {
  m.PointX += m.VelX;
  m.VelX -= 2;
  bounceVertically(m, g.PlotBottom);
  if (single(m.PointX) < pic.Left) {
    m.PointX = pic.Left;
    m.VelX = -m.VelX * (draw(rnd) * 1.2 + 0.6);
    m.VelY = sgn(m.VelY) * (draw(rnd) * 30 + 20);
  }
}

void spiral(MotionState& m, const PlotGeometry& g, const PictureBox& pic) {
  m.PointX =
      std::cos(m.AccelX + m.ParamA) * m.ParamA * m.VelX + static_cast<double>(idiv(g.PlotRight, 2));
  m.PointY = std::sin(m.ParamA) * m.ParamA * 120 + static_cast<double>(halfHeight(pic));
  if (m.PointX < 0) m.PointX = 0;
  if (m.PointY < 0) m.PointY = 0;
  if (m.PointY > g.PlotBottom) m.PointY = g.PlotBottom;
  m.ParamA += m.ParamB;
}

int32_t ambition(MotionState& m, const PlotGeometry& g, const PictureBox& pic, int32_t gameMode) {
  m.VelX += (m.PointX > m.AccelX ? -1 : 1) * m.ParamA;
  m.VelY += (m.PointY > static_cast<double>(halfHeight(pic)) ? -1 : 1) * m.ParamA;
  m.PointX += m.VelX * 7 / m.ParamA / m.ParamA;
  m.PointY += m.VelY * 5 / m.ParamA / m.ParamA;
  m.AccelX += 2;
  if (single(m.PointX) < pic.Left) {
    m.PointX = pic.Left;
    m.VelX = -m.VelX;
  }
  if (m.PointY < 0) {
    m.PointY = 0;
    m.VelY = -m.VelY * 0.5;
  }
  if (m.PointY > g.PlotBottom) {
    m.PointY = g.PlotBottom;
    m.VelY = -m.VelY * 0.5;
  }
  m.ParamA = (m.ParamA + 0.001) * 0.995;
  // After the answer press, the approach to the end is played slowly.
  const bool slow = m.PointX > g.PlotRight - 540 && gameMode == 3 && m.VelX > 0;
  return slow ? 400 : 40;
}

void boundary(MotionState& m) {
  m.PointX += m.VelX;
  m.VelX += 3;
}

}  // namespace

int32_t ApplyLaw(int16_t stageNo, MotionState& m, const PlotGeometry& g, const PictureBox& pic,
                 int32_t gameMode, int32_t framePeriod, Random& rnd) {
  switch (stageNo) {
    case 1:
      proportion(m);
      break;
    case 2:
      parabola(m);
      break;
    case 3:
      cosine(m, g);
      break;
    case 4:
      acceleration(m);
      break;
    case 5:
      bounce(m, g);
      break;
    case 6:
      race(m, g);
      break;
    case 7:
      saw(m);
      break;
    case 8:
      fret(m, g);
      break;
    case 9:
      surpriseAttack(m, g, rnd);
      break;
    case 10:
      convergence(m, g);
      break;
    case 11:
      noise(m, g, pic, rnd);
      break;
    case 12:
      modulo(m, g);
      break;
    case 13:
      jump(m, g, pic, rnd);
      break;
    case 14:
      spiral(m, g, pic);
      break;
    case 15:
      return ambition(m, g, pic, gameMode);
    case 16:
      boundary(m);
      break;
    default:
      break;
  }
  return framePeriod;
}

void ClipAtRightEdge(MotionState& m, int32_t plotRight) {
  if (!(m.PointX > plotRight)) return;
  const double dx = m.PointX - m.PrevX;
  // A segment with no horizontal extent has no crossing to interpolate; it
  // keeps its height instead of dividing by zero.
  if (dx != 0) {
    m.PointY = m.PrevY + (plotRight - m.PrevX) / dx * (m.PointY - m.PrevY);
  }
  m.PointX = plotRight;
}

}  // namespace kv
