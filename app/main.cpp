#include <QApplication>

#include "app/form.h"
#include "platform/qt_platform.h"
#include "platform/termination.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::Form form(platform);
  form.Load();
  kv::CloseWindowOnTermination(form.win.get());
  return app.exec();
}
