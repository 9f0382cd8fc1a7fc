#include "picture_fx.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kv::assetgen {
namespace {

double Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<double>(h & 0xffffff) / static_cast<double>(0xffffff);
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const double fx = Smooth(x - xi), fy = Smooth(y - yi);
  const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
  const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Turbulence(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(o) * 17);
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
  }
  return sum / norm;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                          static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void PaintMarble(QImage& img) {
  const QColor base(246, 243, 252);  // near-white lavender
  const QColor rose(250, 226, 238);  // pale pink bands
  const QColor sky(222, 236, 252);   // pale blue bands
  const QColor vein(196, 190, 228);  // thin lilac veins
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const double turb = Turbulence(x / 110.0, y / 110.0, 5, 7);
      const double band = std::sin(x * 0.022 + y * 0.013 + turb * 12.0);
      const double band2 = std::sin(x * 0.007 - y * 0.016 + turb * 6.0 + 1.3);
      QColor c = Mix(base, rose, 0.5 + 0.5 * band);
      c = Mix(c, sky, std::max(0.0, band2) * 0.8);
      // Veins where a band crosses zero: narrow and soft.
      const double v = std::exp(-std::pow(band * 9.0, 2));
      c = Mix(c, vein, v * 0.45);
      // A faint grain keeps large areas from looking flat.
      const double grain = (Turbulence(x / 3.0, y / 3.0, 2, 99) - 0.5) * 0.04;
      c = Mix(c, grain > 0 ? QColor(255, 255, 255) : QColor(150, 140, 190), std::abs(grain) * 4);
      line[x] = c.rgba();
    }
  }
}

void Blur(QImage& img, int radius, int passes) {
  img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = img.width(), h = img.height();
  std::vector<QRgb> tmp(static_cast<size_t>(std::max(w, h)));
  auto blurLine = [&](auto get, auto set, int n) {
    for (int i = 0; i < n; ++i) {
      int s[4] = {0, 0, 0, 0}, count = 0;
      for (int k = i - radius; k <= i + radius; ++k) {
        if (k < 0 || k >= n) continue;
        const QRgb p = get(k);
        s[0] += qAlpha(p);
        s[1] += qRed(p);
        s[2] += qGreen(p);
        s[3] += qBlue(p);
        ++count;
      }
      tmp[static_cast<size_t>(i)] = qRgba(s[1] / count, s[2] / count, s[3] / count, s[0] / count);
    }
    for (int i = 0; i < n; ++i) set(i, tmp[static_cast<size_t>(i)]);
  };
  for (int p = 0; p < passes; ++p) {
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      blurLine([&](int k) { return row[k]; }, [&](int k, QRgb v) { row[k] = v; }, w);
    }
    for (int x = 0; x < w; ++x) {
      blurLine([&](int k) { return reinterpret_cast<const QRgb*>(img.constScanLine(k))[x]; },
               [&](int k, QRgb v) { reinterpret_cast<QRgb*>(img.scanLine(k))[x] = v; }, h);
    }
  }
}

}  // namespace kv::assetgen
