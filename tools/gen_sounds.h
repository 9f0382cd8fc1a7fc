#pragma once
#include <string>

namespace kv::assetgen {

// Writes the ten effect files into `dir`. Returns false if any write fails.
bool GenerateSounds(const std::string& dir);

}  // namespace kv::assetgen
