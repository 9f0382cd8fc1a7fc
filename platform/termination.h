#pragma once
#include <QWidget>

namespace kv {

// A request to terminate (SIGTERM from a logout or shutdown, SIGHUP, SIGINT)
// closes the window as its close box would, so the settings are saved even
// when the desktop ends the program. Real backend only.
void CloseWindowOnTermination(QWidget* window);

}  // namespace kv
