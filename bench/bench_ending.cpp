// The ending in real time on the real backend (offscreen): how late the ticks
// of the two ending timers run against their 50 and 60 ms schedule, how long
// a tick's work takes, and the processor share over the whole sequence.
//
// Tick k of a timer enabled at t0 is due at t0 + k * interval; its lateness
// is the time from then to the start of its handler. The sequence runs from
// the start of the ending to the ranking (about 23 s).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/form.h"
#include "bench/bench_support.h"
#include "platform/qt_platform.h"

namespace {

using kv::bench::monotonicNs;
using kv::bench::processorNs;

constexpr double kLatenessTargetMs = 5;
constexpr double kProcessorLimit = 0.15;

struct TickLog {
  int64_t t0 = 0;
  int interval = 0;
  std::vector<double> lateness, work;
  // Wraps the timer's tick so that each start and its work are recorded.
  void attach(kv::Timer& t, std::function<void()> tick) {
    interval = t.interval();
    t.setOnTick([this, tick = std::move(tick)] {
      const int64_t start = monotonicNs();
      const auto k = static_cast<int64_t>(lateness.size() + 1);
      lateness.push_back(static_cast<double>(start - t0 - k * interval * 1'000'000) / 1e6);
      tick();
      work.push_back(static_cast<double>(monotonicNs() - start) / 1e6);
    });
  }
};

void print(const char* name, const TickLog& log) {
  const kv::bench::Summary late = kv::bench::summarize(log.lateness);
  const kv::bench::Summary work = kv::bench::summarize(log.work);
  std::printf("%-14s %4d ms %6zu %10.3f %10.3f %10.3f %10.3f %10.3f\n", name, log.interval,
              log.lateness.size(), late.median, late.p99, late.max, work.median, work.max);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kv::bench::PrivateRuntimeDir runtimeDir;
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::Form form(platform);
  form.Load();
  kv::mod().opt.OptSoundEffect = 1;

  TickLog ending, letters;
  ending.attach(*form.timEnding, [&] { form.timEnding_Timer(); });
  letters.attach(*form.timFryLetters, [&] { form.timFryLetters_Timer(); });

  // A game cleared at stage 15 without a miss.
  form.ResetGame();
  form.st.StageNo = 15;
  form.st.Score = 2000;
  form.st.GameMode = 3;
  const int64_t cpu0 = processorNs();
  const int64_t t0 = monotonicNs();
  ending.t0 = letters.t0 = t0;
  form.StartEnding();
  while (form.st.GameMode != 5 && form.st.GameMode != 6)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double spanS = static_cast<double>(monotonicNs() - t0) / 1e9;
  const double share = static_cast<double>(processorNs() - cpu0) / (spanS * 1e9);

  std::printf("The ending in real time: real backend, platform %s, sound off\n\n",
              std::getenv("QT_QPA_PLATFORM"));
  std::printf("%-14s %7s %6s %10s %10s %10s %10s %10s\n", "timer", "every", "ticks", "late med",
              "late p99", "late max", "work med", "work max");
  print("timEnding", ending);
  print("timFryLetters", letters);
  const double worstMedian = std::max(kv::bench::summarize(ending.lateness).median,
                                      kv::bench::summarize(letters.lateness).median);
  std::printf("\nsequence %.2f s, processor %.2f %% of one core\n\n", spanS, 100 * share);
  std::printf("%-36s %-16s %s\n", "target", "measured", "");
  std::printf("%-36s %-16s %s\n", "median tick lateness under 5 ms",
              QString::asprintf("%.3f ms", worstMedian).toUtf8().constData(),
              worstMedian < kLatenessTargetMs ? "met" : "MISSED");
  std::printf("%-36s %-16s %s\n", "processor under 15 % of one core",
              QString::asprintf("%.2f %%", 100 * share).toUtf8().constData(),
              share < kProcessorLimit ? "met" : "MISSED");
  return 0;
}
