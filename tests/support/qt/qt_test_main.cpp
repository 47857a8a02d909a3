// The GoogleTest entry for tests that need a QApplication: headless on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

// Qt and fontconfig keep caches for the life of the process; leak reports
// about them say nothing about korvel.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KORVEL_TEST_SCALE_FACTOR
  // The whole program at a scale other than 1, as QT_SCALE_FACTOR sets it.
  qputenv("QT_SCALE_FACTOR", KORVEL_TEST_SCALE_FACTOR);
#endif
  // A settings folder of the tests' own: nothing they do may reach the user's,
  // and the save dialog's tests check that it stays untouched.
  QTemporaryDir settingsFolder;
  if (!settingsFolder.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder.path()));
  ::testing::InitGoogleTest(&argc, argv);
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("korvel"));
  return RUN_ALL_TESTS();
}
