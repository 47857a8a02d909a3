#include "platform/qt/win_app.h"

#include <QApplication>
#include <QFileInfo>

namespace korvel {
namespace {

CWinApp* theApplication = nullptr;
char fallbackProgramName[] = "korvel";

}  // namespace

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

CWinApp* CWinApp::current() { return theApplication; }

QString applicationNameFor(const QString& executablePath) {
  return QFileInfo(executablePath).completeBaseName();
}

int CWinApp::run(int argc, char** argv) {
  qtArgv_[0] = argc > 0 && argv[0] != nullptr ? argv[0] : fallbackProgramName;
  qtArgc_ = 1;
  application_ = std::make_unique<QApplication>(qtArgc_, qtArgv_);
  QApplication::setApplicationName(applicationNameFor(QApplication::applicationFilePath()));

  int status = 0;
  if (InitInstance()) {
    QApplication::exec();
    status = ExitInstance();
  }
  mainWindow_ = nullptr;
  application_.reset();
  return status;
}

}  // namespace korvel
