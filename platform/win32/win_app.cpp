#include "platform/win_app.h"

#include <windows.h>
#include <commctrl.h>

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
  // The progress bar and the tooltips of the common controls.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
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
