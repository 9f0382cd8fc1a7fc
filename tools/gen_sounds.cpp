#include "gen_sounds.h"

#include <cstdio>
#include <functional>
#include <utility>

#include "synth.h"
#include "wav_writer.h"

namespace kv::assetgen {
namespace {

// Equal-tempered pitches used below.
constexpr double C4 = 261.63, D4 = 293.66, Eb4 = 311.13, G4 = 392.00;
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, A5 = 880.00;
constexpr double C6 = 1046.50, E6 = 1318.51, G6 = 1567.98;

// Two quick bell strokes a fifth apart, the second ringing on.
std::vector<float> Correct() {
  Track t(0.9);
  t.add({.start = 0.00,
         .length = 0.30,
         .freq = C6,
         .amp = 0.5,
         .wave = Wave::Bell,
         .attack = 0.002,
         .decay = 0.10});
  t.add({.start = 0.08,
         .length = 0.82,
         .freq = G6,
         .amp = 0.6,
         .wave = Wave::Bell,
         .attack = 0.002,
         .decay = 0.22,
         .release = 0.1});
  t.add({.start = 0.08,
         .length = 0.82,
         .freq = E6,
         .amp = 0.25,
         .wave = Wave::Sine,
         .attack = 0.004,
         .decay = 0.25,
         .release = 0.1});
  return t.finish();
}

// A buzzing tone that sags down two octaves, wobbling as it falls.
std::vector<float> Miss() {
  Track t(0.9);
  t.add({.start = 0,
         .length = 0.9,
         .freq = 330,
         .freqEnd = 82,
         .amp = 0.6,
         .wave = Wave::Square,
         .attack = 0.01,
         .release = 0.25,
         .vibratoHz = 11,
         .vibratoDepth = 0.03});
  t.add({.start = 0,
         .length = 0.9,
         .freq = 336,
         .freqEnd = 84,
         .amp = 0.4,
         .wave = Wave::Saw,
         .attack = 0.01,
         .release = 0.25});
  return t.finish(0.55);
}

// A short wooden tick for each number of the count-down.
std::vector<float> Count1() {
  Track t(0.14);
  t.add({.length = 0.14,
         .freq = A5,
         .amp = 0.7,
         .wave = Wave::Sine,
         .attack = 0.001,
         .decay = 0.035});
  t.add({.length = 0.02,
         .freq = 2400,
         .freqEnd = 1200,
         .amp = 0.3,
         .wave = Wave::Triangle,
         .attack = 0.0005,
         .decay = 0.005});
  return t.finish(0.7);
}

// "GO!": an octave above the ticks, brighter and longer.
std::vector<float> Count2() {
  Track t(0.45);
  t.add({.length = 0.45,
         .freq = A5 * 2,
         .amp = 0.5,
         .wave = Wave::Square,
         .attack = 0.002,
         .decay = 0.16,
         .release = 0.08});
  t.add({.length = 0.45,
         .freq = A5 * 3,
         .amp = 0.2,
         .wave = Wave::Sine,
         .attack = 0.002,
         .decay = 0.12,
         .release = 0.08});
  return t.finish(0.75);
}

// A slow minor descent ending on a wavering low note.
std::vector<float> Gameover() {
  Track t(1.45);
  const std::pair<double, double> phrase[] = {{G4, 0.0}, {Eb4, 0.26}, {D4, 0.52}};
  for (auto [f, at] : phrase) {
    t.add({.start = at,
           .length = 0.28,
           .freq = f,
           .amp = 0.5,
           .wave = Wave::Triangle,
           .attack = 0.01,
           .decay = 0.4,
           .release = 0.06});
    t.add({.start = at,
           .length = 0.28,
           .freq = f / 2,
           .amp = 0.2,
           .wave = Wave::Sine,
           .attack = 0.01,
           .decay = 0.4,
           .release = 0.06});
  }
  t.add({.start = 0.78,
         .length = 0.67,
         .freq = C4,
         .freqEnd = C4 * 0.97,
         .amp = 0.5,
         .wave = Wave::Triangle,
         .attack = 0.02,
         .decay = 0.5,
         .release = 0.25,
         .vibratoHz = 6,
         .vibratoDepth = 0.012});
  t.add({.start = 0.78,
         .length = 0.67,
         .freq = C4 / 2,
         .amp = 0.25,
         .wave = Wave::Sine,
         .attack = 0.02,
         .decay = 0.5,
         .release = 0.25});
  return t.finish(0.75, 0.003, 0.03);
}

// The button press: a tiny downward blip.
std::vector<float> AnsStr() {
  Track t(0.07);
  t.add({.length = 0.07,
         .freq = 1400,
         .freqEnd = 700,
         .amp = 0.6,
         .wave = Wave::Triangle,
         .attack = 0.001,
         .decay = 0.025,
         .release = 0.01});
  return t.finish(0.6, 0.001, 0.005);
}

// A rising fourth that says "set".
std::vector<float> AnsEnd() {
  Track t(0.32);
  t.add({.start = 0,
         .length = 0.09,
         .freq = E5,
         .amp = 0.5,
         .wave = Wave::Square,
         .attack = 0.002,
         .decay = 0.08,
         .release = 0.015});
  t.add({.start = 0.09,
         .length = 0.23,
         .freq = A5,
         .amp = 0.5,
         .wave = Wave::Square,
         .attack = 0.002,
         .decay = 0.10,
         .release = 0.05});
  return t.finish(0.6);
}

// The magnifier opening: a rush of air rising in pitch with a faint glide.
std::vector<float> Kakudai() {
  Track t(0.6);
  t.addNoiseSweep(0, 0.6, 300, 4000, 1.0, 0x5eed1234u);
  t.add({.length = 0.6,
         .freq = 250,
         .freqEnd = 1500,
         .amp = 0.12,
         .wave = Wave::Sine,
         .attack = 0.2,
         .release = 0.2});
  return t.finish(0.6, 0.01, 0.05);
}

// A soft, high tick.
std::vector<float> Select() {
  Track t(0.06);
  t.add({.length = 0.06,
         .freq = 1760,
         .amp = 0.5,
         .wave = Wave::Sine,
         .attack = 0.001,
         .decay = 0.015});
  return t.finish(0.45, 0.001, 0.01);
}

// C major broken upwards, the top note ringing with a little shimmer.
std::vector<float> Rankin() {
  Track t(1.2);
  const double notes[] = {C5, E5, G5, C6};
  for (int i = 0; i < 4; ++i) {
    const bool last = i == 3;
    const double at = 0.09 * i;
    const double len = 1.2 - at;
    t.add({.start = at,
           .length = len,
           .freq = notes[i],
           .amp = last ? 0.45 : 0.35,
           .wave = Wave::Bell,
           .attack = 0.003,
           .decay = last ? 0.35 : 0.25,
           .release = 0.15,
           .vibratoHz = last ? 5.5 : 0,
           .vibratoDepth = last ? 0.004 : 0});
    t.add({.start = at,
           .length = len,
           .freq = notes[i],
           .amp = 0.15,
           .wave = Wave::Triangle,
           .attack = 0.003,
           .decay = 0.3,
           .release = 0.15});
  }
  return t.finish(0.75, 0.002, 0.05);
}

}  // namespace

bool GenerateSounds(const std::string& dir) {
  const std::pair<const char*, std::function<std::vector<float>()>> effects[] = {
      {"correct", Correct}, {"miss", Miss},      {"count1", Count1}, {"gameover", Gameover},
      {"ans_str", AnsStr},  {"ans_end", AnsEnd}, {"count2", Count2}, {"kakudai", Kakudai},
      {"select", Select},   {"rankin", Rankin},
  };
  bool ok = true;
  for (const auto& [name, make] : effects) {
    const std::string path = dir + "/" + name + ".wav";
    if (!WriteWav(path, make(), kSampleRate)) {
      std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  return ok;
}

}  // namespace kv::assetgen
