// Start-up time: from the birth of a fresh process to the title screen on
// the real backend, without a display. The benchmark starts itself again as
// a child for every run, so each figure includes loading the program and its
// libraries, creating the window, reading the pictures and settings, and the
// first paint of the title picture.
//
//   bench_startup [runs]        (default 10 runs)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
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
  double toMainMs = 0;   // process creation to main()
  double toTitleMs = 0;  // process creation to the title's first paint
  std::string output;    // everything the child wrote, for a failed run
};

Run runOnce(const std::string& exe) {
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
  std::string a0 = exe, a1 = kChildFlag;
  char* args[] = {a0.data(), a1.data(), nullptr};
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
  waitpid(pid, &status, 0);

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

int runParent(int runs) {
  const std::string exe = ownExecutable();
  if (exe.empty()) {
    std::fprintf(stderr, "cannot find this program's own file\n");
    return 1;
  }
  std::printf("Start-up to title screen: real backend, platform %s, %d fresh processes\n\n",
              std::getenv("QT_QPA_PLATFORM"), runs);
  std::printf("%5s %14s %14s %14s\n", "run", "to main (ms)", "main->title", "total (ms)");
  std::vector<double> totals, toMain;
  for (int i = 1; i <= runs; ++i) {
    const Run r = runOnce(exe);
    if (!r.ok) {
      std::printf("%5d  failed; the child said:\n%s\n", i, r.output.c_str());
      return 1;
    }
    std::printf("%5d %14.1f %14.1f %14.1f\n", i, r.toMainMs, r.toTitleMs - r.toMainMs, r.toTitleMs);
    totals.push_back(r.toTitleMs);
    toMain.push_back(r.toMainMs);
  }
  const auto t = kv::bench::summarize(totals);
  const auto m = kv::bench::summarize(toMain);
  std::printf("\n%-26s %8s %8s %8s   %s\n", "", "min", "median", "max", "target");
  std::printf("%-26s %8.1f %8.1f %8.1f\n", "process start -> main()", m.min, m.median, m.max);
  std::printf("%-26s %8.1f %8.1f %8.1f   < %.0f ms  %s\n", "process start -> title", t.min,
              t.median, t.max, kTargetMs,
              t.max < kTargetMs      ? "met by every run"
              : t.median < kTargetMs ? "met by the median, not by every run"
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
