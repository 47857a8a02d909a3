#include "platform/window/win_app.h"

#include <windows.h>

namespace korvel {
namespace {

CWinApp* theApplication = nullptr;

}  // namespace

struct CWinApp::Platform {};

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

CWinApp* CWinApp::current() { return theApplication; }

int CWinApp::run(int, char**) {
  int status = 0;
  if (InitInstance()) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    status = ExitInstance();
  }
  mainWindow_ = nullptr;
  return status;
}

}  // namespace korvel
