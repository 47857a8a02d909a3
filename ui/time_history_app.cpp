#include "ui/time_history_app.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "res/application_id.h"
#include "res/icon_group.h"
#include "res/resource_ids.h"
#include "res/version_info.h"
#include "ui/time_history_dlg.h"

namespace korvel {

bool CTimeHistoryApp::InitInstance() {
  QCoreApplication::setApplicationVersion(
      QString::fromLatin1(res::kVersionText.data(), static_cast<qsizetype>(res::kVersionText.size())));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(
      res::kApplicationId.data(), static_cast<qsizetype>(res::kApplicationId.size())));
  QGuiApplication::setWindowIcon(res::loadIconGroup(res::IDR_MAINFRAME));

  CTimeHistoryDlg dialog;
  setMainWindow(&dialog);
  dialog.DoModal();
  setMainWindow(nullptr);
  return false;
}

}  // namespace korvel
