#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace kv::assetgen {
namespace {

void Put16(std::ofstream& out, uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
  out.write(b, 2);
}

void Put32(std::ofstream& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

}  // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const uint16_t channels = 1;
  const uint16_t bits = 16;
  const uint16_t blockAlign = channels * bits / 8;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * blockAlign;

  out.write("RIFF", 4);
  Put32(out, 36 + dataBytes);
  out.write("WAVE", 4);
  out.write("fmt ", 4);
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, static_cast<uint32_t>(sampleRate));
  Put32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bits);
  out.write("data", 4);
  Put32(out, dataBytes);
  for (float s : samples) {
    const float c = std::clamp(s, -1.0f, 1.0f);
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(c * 32767.0f))));
  }
  return static_cast<bool>(out);
}

}  // namespace kv::assetgen
