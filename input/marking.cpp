// Marking the answer row while the run is held: the marker follows the
// pointer or the arrow keys; a click on it or Enter marks the row.
#include <QMenu>

#include "app/form.h"

namespace kv {

void Form::PicMain_MouseMove(Qt::MouseButtons, double x, double y) {
  if (st.Frozen == 0 || st.MarkerKeyMoved != 0) {
    st.MarkerKeyMoved = 0;
    return;
  }
  // Positions above the picture (a dragged pointer) count as outside.
  if (x >= st.geo.PlotRight && y >= 0 && y <= st.geo.PlotBottom)
    st.AnsRow = static_cast<int16_t>(clng(y) / st.geo.RowHeight);
  else
    st.AnsRow = -1;
  PlaceMarker();
}

void Form::PlaceMarker() {
  if (st.AnsRow == -1) {
    PicAns->setVisible(false);
    return;
  }
  const PlotGeometry& g = st.geo;
  PicAns->Move(g.PlotRight + g.AnsMarkOffset,
               PicMain->Top() + st.AnsRow * g.RowHeight + g.AnsMarkOffset, PicAns->Width(),
               PicAns->Height());
  PicAns->setVisible(true);
  PlayEffect(9, 1, 0);
}

void Form::PicMain_MouseDown(Qt::MouseButton button, double, double) {
  if (button == Qt::RightButton) showPopupMenu();
}

void Form::PicAns_MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton)
    showPopupMenu();
  else if (button == Qt::LeftButton)
    MarkAnswer();
}

void Form::showPopupMenu() { mnuPopupMenu->popup(QCursor::pos()); }

void Form::Form_KeyDown(int key) {
  if (key == Qt::Key_Escape) {
    PauseOn();
    return;
  }
  if (st.Frozen != 1) return;
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    st.MarkerKeyMoved = -1;
    const int step = key == Qt::Key_Up ? 3 : 1;
    st.AnsRow = static_cast<int16_t>(st.AnsRow == -1 ? 0 : (st.AnsRow + step) % 4);
    PlaceMarker();
  } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && st.AnsRow >= 0) {
    st.MarkerKeyMoved = -1;
    PicAns_MouseDown(Qt::LeftButton);
  }
}

void Form::MarkAnswer() {
  if (st.Frozen != 1 || st.AnsRow < 0) return;
  const PlotGeometry& g = st.geo;
  PlayEffect(6, 1, 0);
  SetColorFlags(st.AnsRow);
  PicAns->setVisible(false);

  // The cell fills from a pale rim to the full row colour; the row's own
  // channel stays 255 throughout. Nothing else runs meanwhile.
  const double top = static_cast<double>(st.AnsRow) * g.RowHeight;
  MarkTime();
  for (int k = 0; k <= g.RowHeight / 2; ++k) {
    const int h = std::min(k / 2 + 32, 255);
    PicMain->Box(
        g.PlotRight + k, top + k, g.PlotRight + g.RowHeight - 15 - k, top + g.RowHeight - 15 - k,
        rgb(255 - (1 - st.ColorR) * h, 255 - (1 - st.ColorG) * h, 255 - (1 - st.ColorB) * h));
    if (k % 15 == 0) PicMain->Refresh();
    WaitSince(k, false);
  }
  // The white probe line the verdict reads.
  PicMain->LineStep(PicMain->Width() - 90, top, 0, g.RowHeight - 1, rgb(255, 255, 255));
  st.Frozen = 0;
  for (auto& l : LabelAns) l->setVisible(false);
  timLabelAns->setEnabled(false);
  DrawFlash();
  CmdAns->setVisible(true);
  PicMain->DrawWidth = mod().opt.OptLineWidth;
}

}  // namespace kv
