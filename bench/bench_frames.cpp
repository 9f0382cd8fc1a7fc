// Frame timing of stage runs in real time on the real backend (no display),
// and the wall time of a whole fifteen-stage game on the simulated backend.
//
// Real runs: each stage is started as the title's START button would start
// it, with sound off and nobody answering. Frame periods are taken between
// consecutive frame starts with the monotonic clock, from the first to the
// last frame of the run; the processor share is user plus system time over
// the same span.
//
// Simulated game: a player who presses "解答！" as soon as the point moves,
// marks the row the point will leave the plot by half a second later, and
// goes on to the next stage, from START to the ending.
//
//   bench_frames [--simulated-only]
#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/form.h"
#include "bench/bench_support.h"
#include "game/run_simulation.h"
#include "platform/qt_platform.h"
#include "platform/sim_platform.h"
#include "platform/sim_program_dir.h"

namespace {

using kv::Form;
using kv::bench::monotonicNs;
using kv::bench::processorNs;

constexpr int kStages[] = {1, 2, 5};
constexpr double kFrameMs = 40;
constexpr double kMedianToleranceMs = 0.5;
constexpr double kProcessorLimit = 0.03;
constexpr double kGameTargetMs = 1000;
// A game of fifteen stages with a few retries at most.
constexpr int kMaxSimulatedRuns = 40;

// Adds up the pixels every widget of the program repaints while armed.
class RepaintCounter : public QObject {
 public:
  bool armed = false;
  int64_t pixels = 0;
  int64_t paints = 0;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (armed && e->type() == QEvent::Paint) {
      for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
        pixels += static_cast<int64_t>(r.width()) * r.height();
      ++paints;
    }
    return QObject::eventFilter(o, e);
  }
};

struct RunFigures {
  int stage = 0;
  int frames = 0;
  double spanS = 0;
  int shortFrames = 0;  // periods under kFrameMs
  kv::bench::Summary periodMs;
  double processorShare = 0;
  double pixelsPerFrame = 0;  // repainted, all widgets together
  double paintsPerFrame = 0;
};

RunFigures measureRun(Form& form, int stage) {
  std::vector<int64_t> starts;
  starts.reserve(100'000);
  int64_t cpuFirst = 0, cpuLast = 0;
  RepaintCounter repaints;
  qApp->installEventFilter(&repaints);
  int64_t pixelsLast = 0, paintsLast = 0;
  form.onFrameStart = [&] {
    const int64_t t = monotonicNs();
    const int64_t c = processorNs();
    if (starts.empty()) cpuFirst = c;
    repaints.armed = true;
    pixelsLast = repaints.pixels;
    paintsLast = repaints.paints;
    cpuLast = c;
    starts.push_back(t);
  };
  form.ResetGame();
  form.st.StageNo = static_cast<int16_t>(stage);
  form.StartStage();
  form.onFrameStart = nullptr;
  qApp->removeEventFilter(&repaints);

  RunFigures r;
  r.stage = stage;
  r.frames = static_cast<int>(starts.size());
  if (starts.size() < 2) return r;
  std::vector<double> periods;
  for (size_t i = 1; i < starts.size(); ++i)
    periods.push_back(static_cast<double>(starts[i] - starts[i - 1]) / 1e6);
  r.shortFrames = static_cast<int>(
      std::count_if(periods.begin(), periods.end(), [](double p) { return p < kFrameMs; }));
  r.periodMs = kv::bench::summarize(periods);
  const int64_t span = starts.back() - starts.front();
  r.spanS = static_cast<double>(span) / 1e9;
  r.processorShare = static_cast<double>(cpuLast - cpuFirst) / static_cast<double>(span);
  r.pixelsPerFrame = static_cast<double>(pixelsLast) / static_cast<double>(starts.size() - 1);
  r.paintsPerFrame = static_cast<double>(paintsLast) / static_cast<double>(starts.size() - 1);
  return r;
}

void realRuns() {
  kv::QtPlatform platform;
  Form form(platform);
  form.Load();
  kv::mod().opt.OptSoundEffect = 1;
  // The count-down is not measured; the fastest one saves time.
  kv::mod().opt.OptCountDownSpeed = 2;

  std::printf("Stage runs in real time: real backend, platform %s, sound off, no answer\n",
              std::getenv("QT_QPA_PLATFORM"));
  std::printf("Frame periods between the first and the last frame start of each run (ms)\n\n");
  std::printf("%5s %7s %8s %8s %8s %8s %8s %8s %12s %14s\n", "stage", "frames", "span s", "min",
              "median", "p99", "max", "< 40 ms", "processor", "repainted/frame");
  std::vector<RunFigures> all;
  for (int stage : kStages) {
    const RunFigures r = measureRun(form, stage);
    std::printf("%5d %7d %8.2f %8.3f %8.3f %8.3f %8.3f %8d %10.2f %% %7.0f px in %.1f\n", r.stage,
                r.frames, r.spanS, r.periodMs.min, r.periodMs.median, r.periodMs.p99,
                r.periodMs.max, r.shortFrames, 100 * r.processorShare, r.pixelsPerFrame,
                r.paintsPerFrame);
    std::fflush(stdout);
    all.push_back(r);
  }

  auto verdict = [](bool ok) { return ok ? "met" : "MISSED"; };
  bool minOk = true, medianOk = true, cpuOk = true;
  double worstMin = 1e9, worstMedianOff = 0, worstCpu = 0;
  for (const RunFigures& r : all) {
    worstMin = std::min(worstMin, r.periodMs.min);
    worstMedianOff = std::max(worstMedianOff, std::abs(r.periodMs.median - kFrameMs));
    worstCpu = std::max(worstCpu, r.processorShare);
    minOk = minOk && r.frames >= 2 && r.periodMs.min >= kFrameMs;
    medianOk = medianOk && std::abs(r.periodMs.median - kFrameMs) <= kMedianToleranceMs;
    cpuOk = cpuOk && r.processorShare < kProcessorLimit;
  }
  std::printf("\n%-34s %-22s %s\n", "target", "worst measured", "");
  std::printf("%-34s %-22s %s\n", "no frame shorter than 40 ms",
              QString::asprintf("%.3f ms", worstMin).toUtf8().constData(), verdict(minOk));
  std::printf("%-34s %-22s %s\n", "median within 0.5 ms of 40 ms",
              QString::asprintf("%.3f ms off", worstMedianOff).toUtf8().constData(),
              verdict(medianOk));
  std::printf("%-34s %-22s %s\n\n", "processor under 3 % of one core",
              QString::asprintf("%.2f %%", 100 * worstCpu).toUtf8().constData(), verdict(cpuOk));
}

// The row the point will leave the plot by: the rest of the run, simulated
// from the current state and generator, with the answer already pressed.
void markFinalRow(Form& form, kv::Platform& plat) {
  kv::GameState probe = form.st;
  kv::Random rnd = plat.random();
  kv::SimulateRunFrames(probe, rnd, 1);
  form.st.AnsRow = static_cast<int16_t>(
      std::clamp(static_cast<int>(probe.m.PointY) / form.st.geo.RowHeight, 0, 3));
  form.PlaceMarker();
  form.MarkAnswer();
}

void simulatedGame() {
  kv::mod() = kv::Module1{};
  kv::SimProgramDir dir;
  kv::SimPlatform sim;
  sim.dir = dir.path();
  Form form(sim);
  form.Load();
  sim.random().seed(7);

  QElapsedTimer wall;
  wall.start();
  const uint32_t virtualStart = sim.now();
  int runs = 0, hits = 0;
  while (runs < kMaxSimulatedRuns) {
    sim.when([&] { return form.st.GameMode == 2 && form.st.Frozen == 0 && form.CmdAns->Enabled(); },
             [&] { form.CmdAns->click(); });
    sim.when([&] { return form.st.Frozen == 1; },
             [&] { sim.after(500, [&] { markFinalRow(form, sim); }); });
    // START, NEXT STAGE or RETRY: the click returns once the verdict is in.
    form.CmdAns->click();
    ++runs;
    hits += form.st.AnswerHit;
    if (form.st.GameMode != 1) break;  // the ending or the game over
  }
  const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
  const double virtualS = (sim.now() - virtualStart) / 1000.0;
  const bool ending = form.timEnding->enabled();

  std::printf("Whole game on the simulated backend (virtual time), from START to the %s\n",
              ending ? "ending" : "game over");
  std::printf("%-10s %-10s %-8s %-12s %-12s %s\n", "runs", "correct", "score", "virtual s",
              "wall ms", "target");
  std::printf("%-10d %-10d %-8d %-12.1f %-12.1f < %.0f ms  %s\n", runs, hits, form.st.Score,
              virtualS, wallMs, kGameTargetMs,
              ending && wallMs < kGameTargetMs ? "met"
              : ending                         ? "MISSED"
                                               : "MISSED (the game did not reach the ending)");
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kv::bench::PrivateRuntimeDir runtimeDir;
  QApplication app(argc, argv);
  // "--simulated-only" skips the half minute of real-time runs.
  const bool simulatedOnly = argc > 1 && std::strcmp(argv[1], "--simulated-only") == 0;
  if (!simulatedOnly) realRuns();
  simulatedGame();
  return 0;
}
