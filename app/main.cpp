#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/form.h"
#include "app/locations.h"
#include "platform/desktop_languages.h"
#include "platform/qt_platform.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const kv::CommandLineAnswer answer = kv::AnswerCommandLine(args, kv::DesktopLanguages());
  if (!answer.startGame) {
    kv::sys::UseParentConsole();
    std::fputs(answer.out.toLocal8Bit().constData(), stdout);
    std::fputs(answer.err.toLocal8Bit().constData(), stderr);
    // An answer that could not be written (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0) return 1;
    return answer.exitStatus;
  }
  QApplication app(argc, argv);
  // Ties the window to its desktop entry (its icon and name on Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
  kv::QtPlatform platform;
  kv::sys::AddShippedFonts(kv::FindDataDir(platform.programDir()));
  kv::Form form(platform);
  form.Load();
  kv::sys::CloseWindowOnSessionEnd(form.win.get());
  return app.exec();
}
