// The two backgrounds painted once after the title is up: the blank board
// with its four bevelled answer cells, and the high-score screen with its
// panel, table rows and letter keys.
#include "app/form.h"

namespace kv {

namespace {
int shade(double v) { return static_cast<int>(std::min<int64_t>(clng(v), 255)); }
}  // namespace

// Light grey graph paper, one line every column width.
void Form::DrawGrid(Picture& pic) {
  const int tpx = st.geo.TwipsPerPixelX, tpy = st.geo.TwipsPerPixelY;
  const Color grey = rgb(224, 224, 224);
  for (double x = 2 * tpx; pic.Width() > x + st.geo.ColumnWidth;) {
    x += st.geo.ColumnWidth;
    pic.Line(x, tpy, x, pic.Height() - tpy, grey);
  }
  for (double y = 2 * tpy; pic.Height() > y + st.geo.ColumnWidth;) {
    y += st.geo.ColumnWidth;
    pic.Line(tpx, y, pic.Width(), y, grey);
  }
}

void Form::PaintBlankBoard() {
  const PlotGeometry& g = st.geo;
  const int tpx = g.TwipsPerPixelX, tpy = g.TwipsPerPixelY;
  Picture& w = *PicWork;
  w.Move(g.MainLeft, g.MainTop, g.MainWidth, g.MainHeight);
  w.Cls();
  DrawGrid(w);
  for (int i = 0; i < 4; ++i) {
    SetColorFlags(static_cast<int16_t>(i));
    const int r = st.ColorR, gr = st.ColorG, b = st.ColorB;
    const double top = static_cast<double>(i) * g.RowHeight;
    w.BoxFilled(g.PlotRight, top, g.PlotRight + g.RowHeight - tpx, top + g.RowHeight - tpy,
                rgb(96 + 159 * r, 96 + 159 * gr, 96 + 159 * b));
    for (int j = 0; j <= 17; ++j) {
      const double v = 96 + 4 * j;
      w.Box(g.PlotRight + j * tpx, top + j * tpy, g.PlotRight + g.RowHeight - (j + 1) * tpx,
            top + g.RowHeight - (j + 1) * tpy,
            rgb(shade((r + 0.6) * v), shade((gr + 0.6) * v), shade((b + 0.6) * v)));
    }
  }
}

void Form::PaintHighScoreBackground() {
  const PlotGeometry& g = st.geo;
  const int tpx = g.TwipsPerPixelX, tpy = g.TwipsPerPixelY;
  Picture& hs = *picHS;
  hs.Move(g.MainLeft, g.MainTop, g.MainHeight > 0 ? g.MainWidth : 0, g.MainHeight);
  hs.Cls();
  DrawGrid(hs);
  const int32_t cellH = (g.MainHeight - 4 * tpy) / 16;
  const int32_t cellW = g.RowHeight / 2;

  labName->Move(g.MainWidth * 0.03, g.MainHeight * 0.06, labName->Width(), labName->Height());
  linName->setLine(0, g.MainHeight * 0.15, g.MainWidth * 0.53, g.MainHeight * 0.15);
  txtName->setColors(rgb(255, 255, 192), rgb(63, 63, 127));
  txtName->Move(g.PlotRight * 0.4, g.MainHeight * 0.14, txtName->Width(), txtName->Height());
  txtName->setMaxLength(10);

  // A dark panel for the table: the white ground becomes RGB(63,63,127).
  hs.DrawMode = kMaskPen;
  hs.BoxFilled((g.MainWidth - g.RowHeight) * 0.14, g.PlotBottom * 0.34,
               (g.MainWidth - g.RowHeight) * 0.94, g.PlotBottom * 0.94, rgb(63, 63, 127));
  hs.DrawMode = kCopyPen;

  labHSHead->setCaption(QStringLiteral("NAME            DATE  RANK  SCORE  STAGE"));
  labHSHead->Move(g.PlotRight * 0.2, g.MainHeight * 0.38, labHSHead->Width(), labHSHead->Height());
  for (int i = 0; i < 10; ++i) {
    if (i > 0) {
      labHS.push_back(std::make_unique<Label>(picHS->widget()));
      labHS.back()->copyLookFrom(*labHS[0]);
    }
    Label& l = *labHS[i];
    l.Move(g.PlotRight * 0.2, (i / 22.0 + 0.45) * g.MainHeight, l.Width(), l.Height());
    l.setVisible(true);
  }

  // The 32 letter keys down the right-hand strip, two columns of sixteen.
  for (int i = 0; i < 32; ++i) {
    const int c = i / 16, k = i % 16;
    const double cx = g.MainWidth - g.RowHeight + c * cellW;
    const double cy = static_cast<double>(k) * cellH;
    SetColorFlags(static_cast<int16_t>(i % 4));
    const int r = st.ColorR, gr = st.ColorG, b = st.ColorB;
    for (int j = 0; j <= 11; ++j) {
      const double v = 32 + 6 * j;
      hs.Box(cx + j * tpx, cy + j * tpy, cx + cellW - j * tpx, cy + cellH - j * tpy,
             rgb(shade((r + 0.6) * v), shade((gr + 0.6) * v), shade((b + 0.6) * v)));
    }
    if (i > 0) {
      labChr.push_back(std::make_unique<Label>(picHS->widget()));
      labChr.back()->copyLookFrom(*labChr[0]);
    }
    Label& key = *labChr[i];
    static const char* const kTail[] = {"@", ".", "-", "!", "?", "BS"};
    key.setCaption(i < 26 ? QString(QChar('A' + i)) : QString::fromLatin1(kTail[i - 26]));
    key.Move(cx + (23 - 5 * (i % 4)) * tpx, k * cellH + tpy, key.Width(), key.Height());
    key.setVisible(true);
    key.onMouseMove = [this, i] { labChr_MouseMove(i); };
    key.onClick = [this] { labChr_Click(); };
  }
  // The name box lies in front of the table lines it covers.
  txtName->widget()->raise();
}

}  // namespace kv
