#pragma once

// The About box (template 100): icon, version, notice line and OK.

#include "platform/window/dialog.h"

namespace korvel {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CDialog* parent = nullptr);
};

}  // namespace korvel
