#pragma once
// Procedural textures and image effects shared by the picture makers.
#include <QColor>
#include <QImage>

namespace kv::assetgen {

// Smooth value noise in [0, 1], repeatable for a given seed.
double ValueNoise(double x, double y, uint32_t seed);
// Sum of octaves of ValueNoise, in [0, 1].
double Turbulence(double x, double y, int octaves, uint32_t seed);

// Fills `img` with pale marble: sine bands bent by turbulence, shaded
// through a soft palette.
void PaintMarble(QImage& img);

// Box blur of all four channels, `passes` times with the given radius.
void Blur(QImage& img, int radius, int passes);

// Colour between a and b at t in [0, 1].
QColor Mix(const QColor& a, const QColor& b, double t);

}  // namespace kv::assetgen
