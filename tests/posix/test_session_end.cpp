// How the end of a session reaches the game on POSIX systems.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <csignal>
#include <cstdlib>

#include "platform/system.h"

namespace kv::test {

// A logout's SIGTERM closes the window as its close box would.
TEST(Termination, ASignalClosesTheWindowThroughTheEventLoop) {
  EXPECT_EXIT(
      {
        QWidget w;
        w.show();
        sys::CloseWindowOnSessionEnd(&w);
        std::raise(SIGTERM);
        for (int i = 0; i < 100 && w.isVisible(); ++i)
          QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::_Exit(w.isVisible() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace kv::test
