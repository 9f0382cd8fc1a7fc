#pragma once
// Clocks, order statistics and a private runtime directory shared by the
// benchmarks.
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace kv::bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process, so a
// parent and its child can compare readings.
inline int64_t monotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// User plus system processor time of this process, in nanoseconds.
inline int64_t processorNs() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  auto ns = [](const timeval& tv) {
    return static_cast<int64_t>(tv.tv_sec) * 1'000'000'000 +
           static_cast<int64_t>(tv.tv_usec) * 1000;
  };
  return ns(ru.ru_utime) + ns(ru.ru_stime);
}

struct Summary {
  double min = 0, median = 0, p99 = 0, max = 0;
};

// Nearest-rank percentiles; the median of an even count is the mean of the
// two middle values.
inline Summary summarize(std::vector<double> v) {
  Summary s;
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  s.min = v.front();
  s.max = v.back();
  s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
  s.p99 = v[std::max<size_t>(rank, 1) - 1];
  return s;
}

// The single-instance lock lives in the runtime directory. A private one,
// set for this process and its children, keeps a copy of the game that
// happens to be running from refusing the measured starts; it is removed
// with the lock file at the end.
class PrivateRuntimeDir {
 public:
  PrivateRuntimeDir() {
    char tmpl[] = "/tmp/korvane-bench-XXXXXX";
    if (mkdtemp(tmpl)) {
      path_ = tmpl;
      setenv("XDG_RUNTIME_DIR", tmpl, 1);
    }
  }
  ~PrivateRuntimeDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
  PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;
  bool ok() const { return !path_.empty(); }

 private:
  std::string path_;
};

}  // namespace kv::bench
