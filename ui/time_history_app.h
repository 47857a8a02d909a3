#pragma once

// The application object: shows the main form and ends the program when the
// form closes.

#include "platform/window/win_app.h"

namespace korvel {

class CTimeHistoryApp : public CWinApp {
 public:
  // Runs the main form modally; always false, so the program ends with it.
  bool InitInstance() override;
};

}  // namespace korvel
