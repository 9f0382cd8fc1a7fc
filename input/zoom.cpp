// The magnifier: for a final height close to a boundary of the marked row it
// grows out of that boundary and settles at the lower left of the plot,
// showing the boundary about eight times enlarged.
#include <cmath>

#include "app/form.h"

namespace kv {

void Form::ShowZoom() {
  const PlotGeometry& g = st.geo;
  const double y = st.m.PointY;
  if (mod().opt.OptKakudai == 1) return;
  if (!(g.RowHeight / 4 <= y && y <= PicMain->Height() - g.RowHeight / 4)) return;
  const double p = (y + 0.687 * 15) / g.RowHeight - st.AnsRow;
  if (!(-0.08 <= p && p <= 1.08)) return;
  if (0.08 < p && p < 0.92) return;

  PlayEffect(8, 1, 0);
  const double b = std::floor(y / g.RowHeight + 0.5) * g.RowHeight + PicMain->Top();
  const double sx = g.PlotRight, sy = b;
  const double ex = std::round(PicMain->Left() + 120);
  const double ey = std::round(PicMain->Height() - picKakudai->Height() - 120);
  const double w = std::round(picKakudai->Width());
  const int tp = g.TwipsPerPixelX;
  const int srcX = (g.PlotRight - g.ZoomSource / 2) / tp;
  const int srcY = static_cast<int>(clng(b) - g.ZoomSource / 2) / tp;
  const int side = g.ZoomSource / tp;

  MarkTime();
  for (int i = 1; i <= 20; ++i) {
    const double size = w / 20 * i;
    picKakudai->Move(sx - (sx - ex) / 20 * i, sy - (sy - ey) / 20 * i, size, size);
    stretchCopy(PicMain->image(), srcX, srcY, side, side, picKakudai->image(), 0, 0,
                static_cast<int>(clng(picKakudai->Width()) / tp),
                static_cast<int>(clng(picKakudai->Height()) / tp));
    picKakudai->Refresh();
    picKakudai->setVisible(true);
    WaitSince(50 * i, true);
  }
}

}  // namespace kv
