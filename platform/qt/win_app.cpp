#include "platform/win_app.h"

#include <QApplication>
#include <QFileInfo>

#include "platform/qt/application_name.h"
#include "res/application_id.h"
#include "res/icon_group.h"
#include "res/resource_ids.h"
#include "res/version_info.h"

namespace korvel {
namespace {

CWinApp* theApplication = nullptr;
char fallbackProgramName[] = "korvel";

QString latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The QApplication and the command line it keeps a reference to.
struct CWinApp::Platform {
  int argc = 1;
  char* argv[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> application;
};

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

CWinApp* CWinApp::current() { return theApplication; }

QString applicationNameFor(const QString& executablePath) {
  return QFileInfo(executablePath).completeBaseName();
}

int CWinApp::run(int argc, char** argv) {
  platform_ = std::make_unique<Platform>();
  platform_->argv[0] = argc > 0 && argv[0] != nullptr ? argv[0] : fallbackProgramName;
  platform_->application = std::make_unique<QApplication>(platform_->argc, platform_->argv);
  QApplication::setApplicationName(applicationNameFor(QApplication::applicationFilePath()));
  QApplication::setApplicationVersion(latin1(res::kVersionText));
  QGuiApplication::setDesktopFileName(latin1(res::kApplicationId));
  QGuiApplication::setWindowIcon(res::loadIconGroup(res::IDR_MAINFRAME));

  int status = 0;
  if (InitInstance()) {
    QApplication::exec();
    status = ExitInstance();
  }
  mainWindow_ = nullptr;
  platform_.reset();
  return status;
}

}  // namespace korvel
