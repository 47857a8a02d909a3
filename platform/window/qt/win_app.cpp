#include "platform/window/win_app.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "platform/window/qt/application_name.h"
#include "platform/window/qt/icon_group.h"
#include "platform/window/qt/window_system_check.h"
#include "res/resource_ids.h"
#include "res/version_info.h"

namespace korvel {
namespace {

char fallbackProgramName[] = "korvel";

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// While Qt starts its window system: the program's name for messages, the last
// warning Qt gave, and the handler its messages went to before.
struct StartingQt {
  std::string program;
  std::string lastWarning;
  QtMessageHandler previous = nullptr;
};
StartingQt startingQt;

// Qt ends a start that found no window system with a fatal message, which
// aborts; that message is replaced by one saying what is missing, and the
// program ends with status 1. Other messages go on as usual.
void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    startingQt.lastWarning = message.section(QLatin1Char('\n'), 0, 0).toStdString();
    if (startingQt.previous != nullptr) startingQt.previous(type, context, message);
    return;
  }
  const std::string reason =
      startingQt.lastWarning.empty() ? message.section(QLatin1Char('\n'), 0, 0).toStdString() : startingQt.lastWarning;
  std::fputs(windowSystemFailure(startingQt.program, reason).c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

QString applicationNameFor(const QString& executablePath) { return QFileInfo(executablePath).completeBaseName(); }

int CWinApp::run(int argc, char** argv) {
  // The command line Qt gets, which QApplication keeps a reference to: the program's name alone.
  int qtArgc = 1;
  char* qtArgv[2] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackProgramName, nullptr};
  // Without a window system to open a window on, say so and end.
  startingQt.program = qtArgv[0];
  if (const std::string problem = windowSystemProblem(startingQt.program); !problem.empty()) {
    std::fputs(problem.c_str(), stderr);
    return 1;
  }
  startingQt.previous = qInstallMessageHandler(startUpMessage);
  QApplication application(qtArgc, qtArgv);
  qInstallMessageHandler(startingQt.previous);
  QApplication::setApplicationName(applicationNameFor(QApplication::applicationFilePath()));
  QApplication::setApplicationVersion(latin1(res::kVersionText));
  QGuiApplication::setDesktopFileName(latin1(res::kApplicationId));
  QGuiApplication::setWindowIcon(loadIconGroup(res::IDR_MAINFRAME));
  return runInstance();
}

void CWinApp::runMessageLoop() { QApplication::exec(); }

}  // namespace korvel
