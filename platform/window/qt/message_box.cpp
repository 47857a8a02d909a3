#include "platform/window/qt/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "platform/files/file_failure.h"
#include "platform/window/busy_cursor.h"
#include "platform/window/message_box.h"
#include "platform/window/qt/dialog_window.h"
#include "platform/window/qt/fixed_window.h"

namespace korvel {
namespace {

void runMessageBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, QCoreApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  keepWindowNormal(box);
  // The box waits for the user, so it shows the normal pointer even while the
  // command that shows it is still busy.
  const NormalPointerWhileWaiting pointer;
  box.exec();
}

}  // namespace

void showMessageBox(QWidget* owner, const std::string& text) { runMessageBox(owner, QMessageBox::Warning, text); }

void showFileFailureReport(QWidget* owner, const FileFailure& failure) {
  runMessageBox(owner, QMessageBox::Critical, fileFailureReport(failure));
}

void showMessageBox(CDialog& owner, const std::string& text) { showMessageBox(&qtWindow(owner), text); }

void showFileFailureReport(CDialog& owner, const FileFailure& failure) {
  showFileFailureReport(&qtWindow(owner), failure);
}

}  // namespace korvel
