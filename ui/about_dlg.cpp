#include "ui/about_dlg.h"

#include "res/dialog_templates.h"

namespace korvel {

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(res::kAboutBoxTemplate, parent) {}

}  // namespace korvel
