#pragma once
// Small building blocks for the synthesized sound effects: oscillators with
// frequency glides, envelopes, filtered noise and the final clean-up.
#include <cstdint>
#include <vector>

namespace kv::assetgen {

constexpr int kSampleRate = 22050;

enum class Wave { Sine, Triangle, Square, Saw, Bell };

struct Note {
  double start = 0;     // seconds from the beginning of the effect
  double length = 0.1;  // seconds
  double freq = 440;    // Hz at the start
  double freqEnd = 0;   // Hz at the end; 0 keeps the pitch
  double amp = 0.5;
  Wave wave = Wave::Sine;
  double attack = 0.005;  // seconds to full level
  double decay = 0;       // exponential decay time constant in seconds; 0 = flat
  double release = 0.02;  // linear fade at the end of the note
  double vibratoHz = 0;
  double vibratoDepth = 0;  // fraction of the frequency
};

class Track {
 public:
  explicit Track(double seconds);

  void add(const Note& n);
  // Noise through a band-pass whose centre glides from f0 to f1 Hz.
  void addNoiseSweep(double start, double length, double f0, double f1, double amp, uint32_t seed);

  // Scales the peak to `peak`, then applies short fades at both ends so the
  // file starts and stops without a click.
  std::vector<float> finish(double peak = 0.8, double fadeIn = 0.003, double fadeOut = 0.01) const;

 private:
  std::vector<double> buf_;
};

}  // namespace kv::assetgen
