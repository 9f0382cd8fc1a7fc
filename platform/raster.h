#pragma once
// Pixel-exact drawing on a 32-bit RGB image under the four draw modes. The
// figures are plotted pixel by pixel so that XOR figures drawn twice restore
// the image exactly and no pixel of one figure is touched twice.
#include <QImage>

#include "platform/vbnum.h"

namespace kv {

enum DrawMode : int {
  kXorPen = 7,    // pixel = pixel XOR pen
  kMaskPen = 9,   // pixel = pixel AND pen
  kCopyPen = 13,  // pixel = pen
  kMergePen = 15  // pixel = pixel OR pen
};

class Raster {
 public:
  Raster(QImage& img, int mode) : img_(img), mode_(mode) {}

  void pixel(int x, int y, Color c);
  // A line from (x1,y1) to (x2,y2), the end point excluded, `width` pixels
  // wide (a square pen centred on the line).
  void line(int x1, int y1, int x2, int y2, Color c, int width);
  // Outline of the rectangle with both corners included.
  void box(int x1, int y1, int x2, int y2, Color c, int width);
  // Filled rectangle with both corners included.
  void fill(int x1, int y1, int x2, int y2, Color c);
  // A dot of the pen's width.
  void dot(int x, int y, Color c, int width);

 private:
  void plotSet(const std::vector<std::pair<int, int>>& pts, Color c);
  QImage& img_;
  int mode_;
};

// Colour of one pixel, or -1 outside the image.
Color readPixel(const QImage& img, int x, int y);

// Nearest-neighbour stretching copy of a source rectangle onto a destination
// rectangle (pixels). Source pixels outside the source image read as white.
void stretchCopy(const QImage& src, int sx, int sy, int sw, int sh, QImage& dst, int dx, int dy,
                 int dw, int dh);

inline QRgb toQRgb(Color c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }
inline Color fromQRgb(QRgb q) { return rgb(qRed(q), qGreen(q), qBlue(q)); }

}  // namespace kv
