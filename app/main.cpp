#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/form.h"
#include "platform/qt_platform.h"
#include "platform/termination.h"

namespace {

// The two informational options are answered before the toolkit starts, so
// they work without a display. Everything else is left to the toolkit.
bool answeredFromCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("korvane %s\n", KORVANE_VERSION);
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "Usage: korvane [--version | --help]\n"
          "A game about reading graphs: guess where the moving point arrives.\n"
          "Start it without arguments; press F1 in the game for the help.\n"
          "The settings are kept in $XDG_CONFIG_HOME/korvane/qelmira.ini\n"
          "(~/.config/korvane/), or beside a game run from a folder of its own.\n");
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (answeredFromCommandLine(argc, argv)) return 0;
  QApplication app(argc, argv);
  // Ties the window to its desktop entry (its icon and name on Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
  kv::QtPlatform platform;
  kv::Form form(platform);
  form.Load();
  kv::CloseWindowOnTermination(form.win.get());
  return app.exec();
}
