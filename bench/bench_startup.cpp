// Start-up time: from the birth of a fresh process to the title screen on
// the real backend (offscreen unless QT_QPA_PLATFORM says otherwise). The
// benchmark starts itself again as a child for every run, so each figure
// includes loading the program and its libraries, creating the window,
// reading the pictures and settings, and the first paint of the title
// picture. Each run of the game is paired with a run of a bare Qt Widgets
// window of the same size with a menu bar (bench_startup_baseline, beside
// this program), measured the same way, so a busy machine slows both alike;
// the ratio of the medians is what the game adds to what any window costs.
//
//   bench_startup [runs]        (default 10 runs of each)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/form.h"
#include "bench/bench_support.h"
#include "platform/qt_platform.h"

extern char** environ;

namespace {

using kv::bench::monotonicNs;

constexpr const char* kChildFlag = "--child";
constexpr double kTargetMs = 250;
// The game may take this much longer than the bare window.
constexpr double kTargetRatio = 1.10;
constexpr int kChildTimeoutMs = 20'000;

// Notes the first paint of the plot picture once armed.
class PaintWatch : public QObject {
 public:
  bool armed = false;
  int64_t paintedNs = 0;
  QEventLoop* loop = nullptr;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (armed && paintedNs == 0 && e->type() == QEvent::Paint) {
      paintedNs = monotonicNs();
      if (loop) loop->quit();
    }
    return QObject::eventFilter(o, e);
  }
};

// One measured start-up. Prints the clock readings at main() and at the
// title's first paint, then ends the way the program's own end does (lock
// released, nothing saved).
int runChild(int argc, char** argv) {
  const int64_t mainNs = monotonicNs();
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::Form form(platform);
  PaintWatch watch;
  form.PicMain->widget()->installEventFilter(&watch);
  form.Load();
  // The title picture is in place once Load returns; it counts as shown
  // when it has been painted on the exposed window.
  watch.armed = true;
  QEventLoop loop;
  watch.loop = &loop;
  QTimer::singleShot(kChildTimeoutMs / 2, &loop, &QEventLoop::quit);
  QCoreApplication::processEvents();
  if (watch.paintedNs == 0) loop.exec();
  if (watch.paintedNs == 0) {
    std::printf("title never painted\n");
    std::fflush(stdout);
    std::_Exit(2);
  }
  std::printf("KV_STARTUP main=%lld title=%lld\n", static_cast<long long>(mainNs),
              static_cast<long long>(watch.paintedNs));
  platform.endProgram();
}

struct Run {
  bool ok = false;
  double toMainMs = 0;     // process creation to main()
  double toTitleMs = 0;    // process creation to the title's first paint
  double processorMs = 0;  // user plus system time of the whole child, all threads
  std::string output;      // everything the child wrote, for a failed run
};

Run runOnce(const std::string& exe, const char* flag) {
  Run r;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    r.output = std::strerror(errno);
    return r;
  }
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&fa, fds[1], STDERR_FILENO);
  std::string a0 = exe, a1 = flag ? flag : "";
  char* args[] = {a0.data(), flag ? a1.data() : nullptr, nullptr};
  pid_t pid = 0;
  const int64_t spawnNs = monotonicNs();
  const int err = posix_spawn(&pid, exe.c_str(), &fa, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&fa);
  close(fds[1]);
  if (err != 0) {
    close(fds[0]);
    r.output = std::strerror(err);
    return r;
  }
  // Collect the child's output until it closes the pipe or runs too long
  // (a message box waiting for a click would never end).
  const int64_t deadline = spawnNs + int64_t{kChildTimeoutMs} * 1'000'000;
  char buf[4096];
  for (;;) {
    const int64_t leftMs = (deadline - monotonicNs()) / 1'000'000;
    if (leftMs <= 0) {
      kill(pid, SIGKILL);
      r.output += "\n(killed after the time limit)";
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(leftMs)) <= 0) continue;
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    r.output.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  r.processorMs = (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 +
                  (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;

  const size_t at = r.output.find("KV_STARTUP ");
  long long mainNs = 0, titleNs = 0;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && at != std::string::npos &&
      std::sscanf(r.output.c_str() + at, "KV_STARTUP main=%lld title=%lld", &mainNs, &titleNs) ==
          2) {
    r.ok = true;
    r.toMainMs = static_cast<double>(mainNs - spawnNs) / 1e6;
    r.toTitleMs = static_cast<double>(titleNs - spawnNs) / 1e6;
  }
  return r;
}

std::string ownExecutable() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  path[n] = '\0';
  return path;
}

struct Series {
  std::vector<double> toMain, toTitle, processor;
};

void printSummaryRow(const char* what, const std::vector<double>& v) {
  const auto t = kv::bench::summarize(v);
  std::printf("%-34s %8.1f %8.1f %8.1f\n", what, t.min, t.median, t.max);
}

int runParent(int runs) {
  const std::string exe = ownExecutable();
  if (exe.empty()) {
    std::fprintf(stderr, "cannot find this program's own file\n");
    return 1;
  }
  const std::string baseline = exe.substr(0, exe.rfind('/') + 1) + "bench_startup_baseline";
  std::printf("Start-up to the first paint: real backend, platform %s, %d fresh processes each\n\n",
              std::getenv("QT_QPA_PLATFORM"), runs);
  std::printf("%5s %-8s %14s %14s %14s %14s\n", "run", "program", "to main (ms)", "main->paint",
              "total (ms)", "processor ms");
  Series game, bare;
  for (int i = 1; i <= runs; ++i) {
    // Alternate which goes first, so neither always follows the other.
    for (int k = 0; k < 2; ++k) {
      const bool isGame = (i + k) % 2 == 0;
      const Run r = isGame ? runOnce(exe, kChildFlag) : runOnce(baseline, nullptr);
      const char* name = isGame ? "game" : "baseline";
      if (!r.ok) {
        std::printf("%5d %-8s failed; the child said:\n%s\n", i, name, r.output.c_str());
        return 1;
      }
      std::printf("%5d %-8s %14.1f %14.1f %14.1f %14.1f\n", i, name, r.toMainMs,
                  r.toTitleMs - r.toMainMs, r.toTitleMs, r.processorMs);
      Series& s = isGame ? game : bare;
      s.toMain.push_back(r.toMainMs);
      s.toTitle.push_back(r.toTitleMs);
      s.processor.push_back(r.processorMs);
    }
  }
  std::printf("\n%-34s %8s %8s %8s\n", "", "min", "median", "max");
  printSummaryRow("game: process start -> main()", game.toMain);
  printSummaryRow("game: process start -> title", game.toTitle);
  printSummaryRow("baseline: process start -> main()", bare.toMain);
  printSummaryRow("baseline: process start -> paint", bare.toTitle);
  printSummaryRow("game: processor time", game.processor);
  printSummaryRow("baseline: processor time", bare.processor);
  const double g = kv::bench::summarize(game.toTitle).median;
  const double b = kv::bench::summarize(bare.toTitle).median;
  const double gmax = kv::bench::summarize(game.toTitle).max;
  std::printf("\nmedians: game %.1f ms, baseline %.1f ms, ratio %.3f   target <= %.2f  %s\n", g, b,
              g / b, kTargetRatio, g / b <= kTargetRatio ? "met" : "MISSED");
  // On a busy machine the waits stretch with the load; the processor time
  // of the children does not, and shows what each one asks of the machine.
  const double gp = kv::bench::summarize(game.processor).median;
  const double bp = kv::bench::summarize(bare.processor).median;
  std::printf("processor medians: game %.1f ms, baseline %.1f ms, ratio %.3f\n", gp, bp, gp / bp);
  std::printf("game to title < %.0f ms: %s\n", kTargetMs,
              gmax < kTargetMs ? "met by every run"
              : g < kTargetMs  ? "met by the median, not by every run"
                               : "MISSED");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // No display needed; a child inherits the setting.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return runChild(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  kv::bench::PrivateRuntimeDir runtimeDir;
  if (!runtimeDir.ok()) {
    std::perror("mkdtemp");
    return 1;
  }
  return runParent(runs);
}
