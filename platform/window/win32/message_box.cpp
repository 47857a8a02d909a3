#include "platform/window/message_box.h"

#include <windows.h>

#include "platform/files/file_failure.h"
#include "platform/window/busy_cursor.h"
#include "platform/window/win32/application_name.h"
#include "platform/window/win32/dialog_window.h"

namespace korvel {
namespace {

void runMessageBox(CDialog& owner, const std::string& text, UINT icon) {
  // The box waits for the user: the normal pointer over it, even while the
  // command that shows it is busy.
  const NormalPointerWhileWaiting pointer;
  MessageBoxA(windowOf(owner), text.c_str(), applicationName().c_str(), MB_OK | icon);
}

}  // namespace

void showMessageBox(CDialog& owner, const std::string& text) { runMessageBox(owner, text, MB_ICONEXCLAMATION); }

void showFileFailureReport(CDialog& owner, const FileFailure& failure) {
  runMessageBox(owner, fileFailureReport(failure), MB_ICONSTOP);
}

}  // namespace korvel
