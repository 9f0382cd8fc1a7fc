#pragma once
// Plays stages through the real handlers: when a stage has been set up, its
// run is forecast on a copy of the game state and of the generator (nothing
// else draws random numbers between the set-up and the end of the run), and
// the answer press and the marking of a row are scheduled from that forecast.
#include <algorithm>
#include <optional>
#include <vector>

#include "game/motion_laws.h"
#include "tests/sim_fixture.h"

namespace kv::test {

// The press column for a point at x, as the answer press computes it.
inline int32_t columnAt(double x) { return static_cast<int32_t>(clng(x) / 120); }

struct RunForecast {
  double finalY = 0;
  std::vector<int32_t> columns;  // the press column after each frame
  int32_t earliestColumn() const { return *std::min_element(columns.begin(), columns.end()); }
};

// How the player answers the next stage.
struct Answer {
  bool press = true;
  // Press in this column relative to the answer line (negative: early);
  // unset: the earliest column the run passes through.
  std::optional<int32_t> offset;
  bool rightRow = true;
};
inline const Answer kNoPress{.press = false, .offset = {}};

class StagePlayer : public SimGame {
 protected:
  RunForecast forecast() {
    GameState copy = st();
    Random rnd = sim->random();
    const PictureBox pic{form->PicMain->Left(), form->PicMain->Width(), form->PicMain->Height()};
    RunForecast f;
    int32_t period = 40;
    MotionState& m = copy.m;
    do {
      period = ApplyLaw(copy.StageNo, m, copy.geo, pic, 2, period, rnd);
      ClipAtRightEdge(m, copy.geo.PlotRight);
      m.PrevX = m.PointX;
      m.PrevY = m.PointY;
      f.columns.push_back(columnAt(m.PointX));
    } while (m.PointX < copy.geo.PlotRight && f.columns.size() < 100000);
    f.finalY = m.PointY;
    return f;
  }

  // The row in which the probe finds height y: the probe line of row r runs
  // from the pixel of r * RowHeight down to, not including, the pixel of the
  // row's last twip. Within a pixel of a boundary this can be the row below
  // the band that holds y.
  int rowOf(double y) const {
    const int32_t h = form->st.geo.RowHeight;
    for (int r = 0; r < 4; ++r)
      if (toPx(r * h) <= toPx(y) && toPx(y) < toPx(r * h + h - 1)) return r;
    return static_cast<int>(y / h);
  }

  // Schedules the answer for the stage that the next click on CmdAns starts.
  void arm(Answer a) {
    onSetUp([this, a] {
      const RunForecast f = forecast();
      last = f;
      if (!a.press) return;
      const int32_t target = a.offset ? st().AnsColumn + *a.offset : f.earliestColumn();
      const int row = a.rightRow ? rowOf(f.finalY) : (rowOf(f.finalY) + 2) % 4;
      sim->when(
          [this, target] {
            return st().GameMode == 2 && form->CmdAns->Enabled() &&
                   columnAt(st().m.PointX) == target;
          },
          [this] { clickAns(); });
      onMarking([this, row] {
        movePointer(6300, row * st().geo.RowHeight + 600);
        clickMarker();
      });
    });
  }

  // Plays the next stage (or the first, from the title) with answer `a`.
  void play(Answer a = {}) {
    arm(a);
    clickAns();
  }

  // Gain of a correct answer pressed in column `press`.
  int32_t gain(int32_t press) const {
    const int32_t d = press - form->st.AnsColumn;
    return d <= 0 ? -d * form->st.ScalePoints : -2 * d * form->st.ScalePoints;
  }

  int count(const QString& sound) const { return sounds().count(sound); }
  // The main button's caption, and whether it takes a click.
  std::pair<QString, bool> ansButton() const {
    return {form->CmdAns->Caption(), form->CmdAns->Enabled()};
  }
  // When `sound` last began to play (0: never).
  uint32_t lastPlay(const QString& sound) const {
    uint32_t at = 0;
    for (const auto& p : sim->simSound().plays)
      if (p.name == sound) at = p.at;
    return at;
  }

  // Pixels of two equally sized images that differ.
  static std::vector<QPoint> differences(const QImage& a, const QImage& b) {
    std::vector<QPoint> out;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) out.emplace_back(x, y);
    return out;
  }

  RunForecast last;
};

}  // namespace kv::test
