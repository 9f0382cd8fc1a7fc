#include <QApplication>
#include <QLocale>
#include <cstdio>

#include "app/command_line.h"
#include "app/form.h"
#include "app/locations.h"
#include "platform/qt_platform.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const QString answer = kv::AnswerCommandLine(args, QLocale::system().uiLanguages());
  if (!answer.isEmpty()) {
    kv::sys::UseParentConsole();
    std::fputs(answer.toLocal8Bit().constData(), stdout);
    return 0;
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
