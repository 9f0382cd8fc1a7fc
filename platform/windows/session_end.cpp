// Log-off and shutdown: Windows asks every top-level window whether the
// session may end (WM_QUERYENDSESSION) and then tells it that it does
// (WM_ENDSESSION), after which the process is ended without further notice.
// The game agrees, and on the second message closes its window as the close
// box would, which saves the settings before the process goes.
#include "platform/windows/session_end.h"

#include <windows.h>

#include <QCoreApplication>

#include "platform/system.h"

namespace kv::sys {

bool SessionEndFilter::nativeEventFilter(const QByteArray& eventType, void* message,
                                         qintptr* result) {
  if (eventType != "windows_generic_MSG" || !message) return false;
  const MSG* msg = static_cast<const MSG*>(message);
  if (msg->message == WM_QUERYENDSESSION) {
    if (result) *result = TRUE;
    return true;
  }
  if (msg->message == WM_ENDSESSION && msg->wParam) {
    // Every top-level window gets the message; the window closes once.
    if (!done_ && window_) window_->close();
    done_ = true;
    if (result) *result = 0;
    return true;
  }
  return false;
}

void CloseWindowOnSessionEnd(QWidget* window) {
  // Lives as long as the application, which owns no native filter itself.
  static SessionEndFilter filter;
  filter.watch(window);
  QCoreApplication::instance()->installNativeEventFilter(&filter);
}

}  // namespace kv::sys
