#include "platform/window/win_app.h"

#include <windows.h>

namespace korvel {

// The system starts the program's windows as they are made: nothing to start
// before, nothing to end after.
int CWinApp::run(int, char**) { return runInstance(); }

void CWinApp::runMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace korvel
