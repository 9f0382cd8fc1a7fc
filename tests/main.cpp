#include <gtest/gtest.h>

#include <QApplication>

#include "platform/system.h"

namespace kv::test {
int SaveLoopMain(int argc, char** argv);
}

int main(int argc, char** argv) {
  // The test program also serves as the process that a test kills while it
  // saves the settings.
  if (const int rc = kv::test::SaveLoopMain(argc, argv); rc >= 0) return rc;
  // Tests run display-less unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QApplication app(argc, argv);
  // The faces the game draws with, as the game itself finds them.
  kv::sys::AddShippedFonts(QCoreApplication::applicationDirPath());
  return RUN_ALL_TESTS();
}
