#include "ui/time_history_app.h"

#include "ui/time_history_dlg.h"

namespace korvel {

bool CTimeHistoryApp::InitInstance() {
  CTimeHistoryDlg dialog;
  setMainWindow(&dialog);
  dialog.DoModal();
  setMainWindow(nullptr);
  return false;
}

}  // namespace korvel
