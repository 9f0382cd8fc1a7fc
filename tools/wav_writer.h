#pragma once
// Writes 16-bit PCM mono RIFF/WAVE files.
#include <string>
#include <vector>

namespace kv::assetgen {

// Samples are in [-1, 1]; values outside are clipped. Returns false when the
// file cannot be written.
bool WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate);

}  // namespace kv::assetgen
