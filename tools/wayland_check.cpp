// The real game under a display server, asked while a stage runs to be
// maximised and then shown full-screen, through the window's own requests (the
// ones the title bar's buttons and a compositor's shortcuts make). The window
// must keep its size and state, the stage must go on to its verdict, and the
// program must end normally. scripts/wayland-check.sh runs it under weston.
//
//   korvane_wayland_check        exit status 0 when all of that held
#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/form.h"
#include "platform/qt_platform.h"

namespace {

int failures = 0;

void check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  std::fflush(stdout);
  if (!ok) ++failures;
}

// Runs `then` once `ready` holds, polling from the event loop (also inside
// the game's own waits); gives up after `timeoutMs`.
void when(std::function<bool()> ready, std::function<void()> then, int timeoutMs,
          const char* what) {
  auto* t = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(t, &QTimer::timeout, [=] {
    *waited += 50;
    if (!ready() && *waited < timeoutMs) return;
    t->stop();
    t->deleteLater();
    if (*waited >= timeoutMs && !ready()) {
      check(false, what);
      QCoreApplication::exit(1);
      return;
    }
    then();
  });
  t->start(50);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::Form form(platform);
  form.Load();
  QMainWindow& win = *form.win;
  QSize size;
  auto request = [&](Qt::WindowStates states, const char* what, std::function<void()> next) {
    win.windowHandle()->setWindowStates(states);
    QTimer::singleShot(1500, [&, what, next] {
      check(
          win.size() == size && !(win.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)),
          what);
      check(form.st.GameMode == 2 || form.st.GameMode == 3, "the stage goes on");
      next();
    });
  };
  when([&] { return win.isVisible() && form.st.GameMode == 0 && form.CmdAns->Enabled(); },
       [&] {
         size = win.size();
         std::printf("window %dx%d on %s\n", size.width(), size.height(),
                     qPrintable(QGuiApplication::platformName()));
         std::fflush(stdout);
         // The stage runs inside the click, so the rest is driven by timers.
         QTimer::singleShot(0, [&] { form.CmdAns->click(); });
         when([&] { return form.st.GameMode == 2 && form.CmdAns->Enabled(); },
              [&] {
                request(Qt::WindowMaximized, "a maximise request leaves the window as it is", [&] {
                  request(Qt::WindowFullScreen, "a full-screen request leaves the window as it is",
                          [&] {
                            when([&] { return form.st.GameMode != 2 && form.st.GameMode != 3; },
                                 [&] {
                                   check(true, "the stage reached its verdict");
                                   win.close();
                                 },
                                 60000, "the stage reached its verdict");
                          });
                });
              },
              20000, "the stage started");
       },
       20000, "the title screen came up");
  const int status = app.exec();
  return status != 0 || failures != 0 ? 1 : 0;
}
