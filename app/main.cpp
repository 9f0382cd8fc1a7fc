#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/form.h"
#include "platform/desktop_languages.h"
#include "platform/qt_platform.h"
#include "platform/termination.h"

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const QString answer = kv::AnswerCommandLine(args, kv::DesktopLanguages());
  if (!answer.isEmpty()) {
    std::fputs(answer.toLocal8Bit().constData(), stdout);
    return 0;
  }
  QApplication app(argc, argv);
  // Ties the window to its desktop entry (its icon and name on Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
  kv::QtPlatform platform;
  kv::Form form(platform);
  form.Load();
  kv::CloseWindowOnTermination(form.win.get());
  return app.exec();
}
