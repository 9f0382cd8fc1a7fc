// The end of a session reaches a program as a request to terminate: SIGTERM
// from a logout or shutdown, SIGHUP when its terminal goes, SIGINT. The
// signal only wakes the event loop, which closes the window as its close box
// would, so the settings are saved.
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>

#include "platform/system.h"

namespace kv::sys {

namespace {
int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop does the rest.
void onSignal(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &c, 1);
}
}  // namespace

void CloseWindowOnSessionEnd(QWidget* window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char c;
    [[maybe_unused]] const ssize_t n = ::read(g_pipe[0], &c, 1);
    window->close();
  });
  struct sigaction sa = {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
}

}  // namespace kv::sys
