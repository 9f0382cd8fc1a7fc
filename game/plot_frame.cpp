// Drawing on the plot: text style and placement, the stage board with its
// grid, column labels and red answer line, the press marks and the flash.
#include "app/form.h"

namespace kv {

void Form::SetTextStyle(int16_t size, bool bold, Color colour, int16_t drawMode) {
  PicMain->setFontSize(size);
  PicMain->setFontBold(bold);
  PicMain->ForeColor = colour;
  PicMain->DrawMode = drawMode;
}

void Form::MoveTextCursor(int32_t x, int32_t y) {
  PicMain->CurrentX = x;
  PicMain->CurrentY = y;
}

void Form::PrintCentered(const QString& text, double fraction) {
  PicMain->CurrentX = static_cast<double>(clng(PicMain->Width() - PicMain->TextWidth(text)) / 2);
  PicMain->CurrentY = static_cast<double>(clng(st.geo.PlotBottom * fraction));
  PicMain->Print(text);
}

void Form::DrawStageBoard() {
  const PlotGeometry& g = st.geo;
  SetTextStyle(8, false, rgb(160, 160, 160), kCopyPen);
  for (int c = st.AnsColumn % 10; c <= 51; c += 10) {
    PicMain->LineStep(c * g.ColumnWidth + 30, 0, 0, g.PlotBottom, rgb(184, 184, 184));
    MoveTextCursor(c * g.ColumnWidth + 4 * g.TwipsPerPixelX, g.PlotBottom - 10 * g.TwipsPerPixelY);
    PicMain->Print(signedText(st.AnsColumn - c));
  }
  PicMain->LineStep(st.AnsColumn * g.ColumnWidth + 30, PicMain->Top(), 0, g.PlotBottom,
                    rgb(255, 96, 96));
}

void Form::DrawPressMarks() {
  const PlotGeometry& g = st.geo;
  PicMain->DrawWidth = 1;
  const double x = static_cast<double>(st.PressColumn) * g.ColumnWidth + 2 * g.TwipsPerPixelX;
  PicMain->LineStep(x, PicMain->Top(), 0, g.PlotBottom,
                    st.PressColumn == st.AnsColumn ? rgb(255, 96, 255) : rgb(96, 96, 255));
  SetTextStyle(10, false, rgb(0, 0, 255), kCopyPen);
  MoveTextCursor(static_cast<int32_t>(x), g.PlotBottom - 14 * g.TwipsPerPixelY);
  PicMain->Print(signedText(st.AnsColumn - st.PressColumn));
}

// Inverts the plot (not the answer cells); drawn twice it restores every pixel.
void Form::DrawFlash() {
  PicMain->DrawMode = kXorPen;
  PicMain->BoxFilled(0, 0, st.geo.PlotRight - st.geo.TwipsPerPixelX, st.geo.PlotBottom,
                     rgb(255, 255, 255));
  PicMain->DrawMode = kCopyPen;
}

}  // namespace kv
