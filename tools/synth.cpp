#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kv::assetgen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Oscillator value for a phase measured in cycles.
double Osc(Wave w, double phase) {
  const double f = phase - std::floor(phase);
  switch (w) {
    case Wave::Sine:
      return std::sin(kTwoPi * f);
    case Wave::Triangle:
      return f < 0.5 ? 4 * f - 1 : 3 - 4 * f;
    case Wave::Square:
      // Softened square: a few odd harmonics only, so it buzzes without
      // aliasing harshly at 22 kHz.
      return (std::sin(kTwoPi * f) + std::sin(3 * kTwoPi * f) / 3 + std::sin(5 * kTwoPi * f) / 5 +
              std::sin(7 * kTwoPi * f) / 7) *
             0.9;
    case Wave::Saw: {
      double s = 0;
      for (int k = 1; k <= 8; ++k) s += std::sin(k * kTwoPi * f) / k;
      return s * 0.6;
    }
    case Wave::Bell:
      // Inharmonic partials of a small bell.
      return 0.6 * std::sin(kTwoPi * f) + 0.25 * std::sin(kTwoPi * f * 2.76) +
             0.15 * std::sin(kTwoPi * f * 5.40);
  }
  return 0;
}

}  // namespace

Track::Track(double seconds) : buf_(static_cast<size_t>(seconds * kSampleRate), 0.0) {}

void Track::add(const Note& n) {
  const auto first = static_cast<size_t>(n.start * kSampleRate);
  const auto count = static_cast<size_t>(n.length * kSampleRate);
  const double end = n.freqEnd > 0 ? n.freqEnd : n.freq;
  double phase = 0;
  for (size_t i = 0; i < count && first + i < buf_.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double u = static_cast<double>(i) / static_cast<double>(count);
    // Exponential glide sounds even across octaves.
    double f = n.freq * std::pow(end / n.freq, u);
    if (n.vibratoDepth > 0) f *= 1 + n.vibratoDepth * std::sin(kTwoPi * n.vibratoHz * t);
    phase += f / kSampleRate;
    double env = n.attack > 0 ? std::min(1.0, t / n.attack) : 1.0;
    if (n.decay > 0) env *= std::exp(-t / n.decay);
    const double left = n.length - t;
    if (n.release > 0 && left < n.release) env *= std::max(0.0, left / n.release);
    buf_[first + i] += n.amp * env * Osc(n.wave, phase);
  }
}

void Track::addNoiseSweep(double start, double length, double f0, double f1, double amp,
                          uint32_t seed) {
  const auto first = static_cast<size_t>(start * kSampleRate);
  const auto count = static_cast<size_t>(length * kSampleRate);
  // State-variable filter, band-pass output.
  double low = 0, band = 0;
  uint32_t x = seed ? seed : 1;
  for (size_t i = 0; i < count && first + i < buf_.size(); ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    const double white = static_cast<double>(x) / 2147483648.0 - 1.0;
    const double u = static_cast<double>(i) / static_cast<double>(count);
    const double fc = f0 * std::pow(f1 / f0, u);
    const double k = 2 * std::sin(std::numbers::pi * fc / kSampleRate);
    const double q = 0.35;
    low += k * band;
    const double high = white - low - q * band;
    band += k * high;
    // Swell up, then die away: the shape of air rushing past.
    const double env = std::sin(std::numbers::pi * std::pow(u, 0.7));
    buf_[first + i] += amp * env * band;
  }
}

std::vector<float> Track::finish(double peak, double fadeIn, double fadeOut) const {
  double maxAbs = 0;
  for (double s : buf_) maxAbs = std::max(maxAbs, std::abs(s));
  const double gain = maxAbs > 0 ? peak / maxAbs : 0;
  std::vector<float> out(buf_.size());
  const double n = static_cast<double>(buf_.size());
  const double inN = fadeIn * kSampleRate, outN = fadeOut * kSampleRate;
  for (size_t i = 0; i < buf_.size(); ++i) {
    const double pos = static_cast<double>(i);
    double env = 1;
    if (pos < inN) env = pos / inN;
    if (n - 1 - pos < outN) env = std::min(env, (n - 1 - pos) / outN);
    out[i] = static_cast<float>(buf_[i] * gain * env);
  }
  return out;
}

}  // namespace kv::assetgen
