// The GoogleTest entry for tests that need a QApplication: headless on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QApplication>

// Qt and fontconfig keep caches for the life of the process; leak reports
// about them say nothing about korvel.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("korvel"));
  return RUN_ALL_TESTS();
}
