// What every window system's application object does alike: the one object of
// the process, and the run between the window system's start and end. The
// start, the end and the message loop are the window system's (qt/win_app.cpp,
// win32/win_app.cpp).

#include "platform/window/win_app.h"

namespace korvel {
namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

CWinApp* CWinApp::current() { return theApplication; }

int CWinApp::runInstance() {
  int status = 0;
  if (InitInstance()) {
    runMessageLoop();
    status = ExitInstance();
  }
  mainWindow_ = nullptr;
  return status;
}

}  // namespace korvel
