#pragma once
#include <cstdint>
#include <deque>
#include <random>

namespace kv {

// The program's one uniform generator: single-precision values in [0, 1).
// Tests may seed it or queue chosen values that are handed out first.
class Random {
 public:
  explicit Random(uint32_t seed = 1) : eng_(seed) {}
  void seed(uint32_t s) { eng_.seed(s); }
  void feed(float v) { queued_.push_back(v); }
  float next() {
    if (!queued_.empty()) {
      float v = queued_.front();
      queued_.pop_front();
      return v;
    }
    return static_cast<float>(eng_() >> 8) * (1.0f / 16777216.0f);
  }
  float operator()() { return next(); }

 private:
  std::mt19937 eng_;
  std::deque<float> queued_;
};

}  // namespace kv
