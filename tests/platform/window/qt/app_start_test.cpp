// Start-up: the entry routine, the application object and the command line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "platform/window/qt/application_name.h"
#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "tests/support/qt/modal_watch.h"
#include "ui/time_history_app.h"
#include "ui/time_history_dlg.h"

extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace korvel::test {
namespace {

// What the program saw of the world while it started.
struct StartUp {
  QStringList arguments;
  QString applicationName, platform, version;
  Qt::LayoutDirection direction = Qt::LeftToRight;
  bool initInstanceResult = true;
  bool formWasMainWindow = false;
  QWidget* focusWhileOpen = nullptr;
  QWidget* calculateButton = nullptr;
  bool watchdogFired = false;
};

class ObservedApp : public CTimeHistoryApp {
 public:
  explicit ObservedApp(StartUp& seen) : seen_(seen) {}
  bool InitInstance() override {
    seen_.arguments = QCoreApplication::arguments();
    seen_.applicationName = QCoreApplication::applicationName();
    seen_.platform = QGuiApplication::platformName();
    seen_.direction = QGuiApplication::layoutDirection();
    ModalWatchdog watchdog;
    whenOnTop<CTimeHistoryDlg>([this](CTimeHistoryDlg& form) {
      seen_.formWasMainWindow = mainWindow() == &form;
      (void)QTest::qWaitForWindowActive(&qtWindow(form), 2000);
      seen_.focusWhileOpen = QApplication::focusWidget();
      seen_.calculateButton = qtControl(form, res::IDOK);
      QTest::keyClick(&qtWindow(form), Qt::Key_Escape);
    });
    seen_.initInstanceResult = CTimeHistoryApp::InitInstance();
    seen_.version = QCoreApplication::applicationVersion();
    seen_.watchdogFired = watchdog.fired();
    return seen_.initInstanceResult;
  }

 private:
  StartUp& seen_;
};

TEST(StartUp, ShowsTheFormAndEndsWhenItClosesWhateverTheCommandLine) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  char program[] = "korvel";
  char platformOption[] = "-platform";
  char platformValue[] = "xcb";
  char reverse[] = "-reverse";
  char file[] = "wave.txt";
  char* argv[] = {program, platformOption, platformValue, reverse, file, nullptr};

  StartUp seen;
  ObservedApp app(seen);
  EXPECT_EQ(CWinApp::current(), &app);
  const int status = app.run(5, argv);

  EXPECT_EQ(status, 0);
  EXPECT_FALSE(seen.watchdogFired);
  EXPECT_FALSE(seen.initInstanceResult);
  EXPECT_EQ(seen.arguments, QStringList{"korvel"});
  EXPECT_EQ(seen.platform, "offscreen") << "-platform on the command line has no effect";
  EXPECT_EQ(seen.direction, Qt::LeftToRight) << "-reverse on the command line has no effect";
  EXPECT_EQ(seen.applicationName, "korvel_app_tests") << "named after the executable, not argv[0]";
  EXPECT_EQ(seen.version, "1.0.0.1");
  EXPECT_TRUE(seen.formWasMainWindow);
  EXPECT_EQ(seen.focusWhileOpen, seen.calculateButton);
  EXPECT_EQ(QApplication::instance(), nullptr) << "the QApplication ends with the entry routine";
}

// korvel started from a shell where no window can open: it says what is
// missing and how to start it, and ends with status 1 instead of an abort.
TEST(StartUp, WithoutAWindowSystemSaysWhatIsMissingAndEnds) {
  const std::pair<const char*, const char*> cases[] = {
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", "there is no display (DISPLAY is not set)"},
      {"env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:7399", "the display \":7399\" (DISPLAY) does not answer"},
      {"env QT_QPA_PLATFORM=nowhere", "Qt found no window system to start on"},
  };
  for (const auto& [environment, missing] : cases) {
    FILE* run = popen((std::string(environment) + " " KORVEL_PATH " 2>&1").c_str(), "r");
    ASSERT_NE(run, nullptr);
    std::string said;
    char buffer[512];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, run)) > 0;) said.append(buffer, got);
    const int status = pclose(run);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << environment << ": status " << status;
    EXPECT_NE(said.find(missing), std::string::npos) << said;
    EXPECT_NE(said.find("xvfb-run -a " KORVEL_PATH), std::string::npos) << said;
    EXPECT_EQ(said.find("Reinstalling"), std::string::npos) << said;
  }
}

TEST(StartUp, ApplicationNameIsTheExecutablesNameWithoutExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/korvel", "korvel"}, {"/opt/k/korvel.EXE", "korvel"}, {"/x/korvel.tool.bin", "korvel.tool"}};
  for (const auto& [path, name] : cases) EXPECT_EQ(applicationNameFor(path), name) << path;
}

}  // namespace
}  // namespace korvel::test
