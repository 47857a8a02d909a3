#include "ui/about_dlg.h"

#include "res/dialog_templates.h"

namespace korvel {

CAboutDlg::CAboutDlg(CDialog* parent) : CDialog(res::kAboutBoxTemplate, parent) {}

}  // namespace korvel
