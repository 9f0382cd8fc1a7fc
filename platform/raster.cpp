#include "platform/raster.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kv {

namespace {

inline uint32_t applyMode(uint32_t old, uint32_t pen, int mode) {
  switch (mode) {
    case kXorPen:
      return ((old ^ pen) & 0x00FFFFFFu) | 0xFF000000u;
    case kMaskPen:
      return ((old & pen) & 0x00FFFFFFu) | 0xFF000000u;
    case kMergePen:
      return ((old | pen) & 0x00FFFFFFu) | 0xFF000000u;
    default:
      return pen | 0xFF000000u;
  }
}

}  // namespace

void Raster::pixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height()) return;
  auto* row = reinterpret_cast<uint32_t*>(img_.scanLine(y));
  row[x] = applyMode(row[x], toQRgb(c), mode_);
}

void Raster::plotSet(const std::vector<std::pair<int, int>>& pts, Color c) {
  if (mode_ == kCopyPen) {
    for (auto [x, y] : pts) pixel(x, y, c);
    return;
  }
  // Modes that combine with the old pixel must touch each pixel once.
  std::vector<std::pair<int, int>> unique(pts);
  std::sort(unique.begin(), unique.end());
  unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
  for (auto [x, y] : unique) pixel(x, y, c);
}

void Raster::line(int x1, int y1, int x2, int y2, Color c, int width) {
  // Upright and level thin lines (the grid, the sweep, the crosshair) are
  // runs of pixels: the end point is left out as in the general case.
  if (width == 1 && (x1 == x2 || y1 == y2) && !(x1 == x2 && y1 == y2)) {
    if (x1 == x2)
      fill(x1, y1, x2, y2 + (y2 > y1 ? -1 : 1), c);
    else
      fill(x1, y1, x2 + (x2 > x1 ? -1 : 1), y2, c);
    return;
  }
  std::vector<std::pair<int, int>> pts;
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  int x = x1, y = y1;
  const int lo = -(width - 1) / 2, hi = width / 2;
  while (!(x == x2 && y == y2)) {
    for (int oy = lo; oy <= hi; ++oy)
      for (int ox = lo; ox <= hi; ++ox) pts.emplace_back(x + ox, y + oy);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  // A wide pen also covers the end point, as a geometric pen's caps do.
  if (width > 1)
    for (int oy = lo; oy <= hi; ++oy)
      for (int ox = lo; ox <= hi; ++ox) pts.emplace_back(x2 + ox, y2 + oy);
  plotSet(pts, c);
}

void Raster::box(int x1, int y1, int x2, int y2, Color c, int width) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  std::vector<std::pair<int, int>> pts;
  const int lo = -(width - 1) / 2, hi = width / 2;
  for (int x = x1; x <= x2; ++x)
    for (int o = lo; o <= hi; ++o) {
      pts.emplace_back(x, y1 + o);
      pts.emplace_back(x, y2 + o);
    }
  for (int y = y1; y <= y2; ++y)
    for (int o = lo; o <= hi; ++o) {
      pts.emplace_back(x1 + o, y);
      pts.emplace_back(x2 + o, y);
    }
  // The corners are shared by two edges: always touch each pixel once.
  std::sort(pts.begin(), pts.end());
  pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
  for (auto [x, y] : pts) pixel(x, y, c);
}

void Raster::fill(int x1, int y1, int x2, int y2, Color c) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, img_.width() - 1);
  y2 = std::min(y2, img_.height() - 1);
  const uint32_t pen = toQRgb(c);
  for (int y = y1; y <= y2; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(img_.scanLine(y));
    for (int x = x1; x <= x2; ++x) row[x] = applyMode(row[x], pen, mode_);
  }
}

void Raster::dot(int x, int y, Color c, int width) {
  if (width <= 1) {
    pixel(x, y, c);
    return;
  }
  const int lo = -(width - 1) / 2, hi = width / 2;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox) pixel(x + ox, y + oy, c);
}

Color readPixel(const QImage& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return -1;
  return fromQRgb(img.pixel(x, y));
}

void stretchCopy(const QImage& src, int sx, int sy, int sw, int sh, QImage& dst, int dx, int dy,
                 int dw, int dh) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    const int ty = dy + y;
    if (ty < 0 || ty >= dst.height()) continue;
    const int fy = sy + static_cast<int>((static_cast<int64_t>(y) * sh) / dh);
    auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(ty));
    for (int x = 0; x < dw; ++x) {
      const int tx = dx + x;
      if (tx < 0 || tx >= dst.width()) continue;
      const int fx = sx + static_cast<int>((static_cast<int64_t>(x) * sw) / dw);
      const bool inside = fx >= 0 && fy >= 0 && fx < src.width() && fy < src.height();
      out[tx] = inside ? (src.pixel(fx, fy) | 0xFF000000u) : 0xFFFFFFFFu;
    }
  }
}

}  // namespace kv
