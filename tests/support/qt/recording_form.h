#pragma once

// The main form with its message boxes, save dialog and file-failure report
// replaced by records, so that a calculation runs without blocking.

#include <QApplication>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_failure.h"
#include "ui/time_history_dlg.h"

namespace korvel::test {

class RecordingForm : public CTimeHistoryDlg {
 public:
  using CTimeHistoryDlg::OnOK;

  void showMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> askOutputFileName() override {
    ++saveDialogs;
    return nextFileName;
  }
  void reportFileFailure(const FileFailure& failure) override {
    failures.push_back(failure.fileName());
    busyWhileReporting = QApplication::overrideCursor() != nullptr;
  }

  std::optional<std::string> nextFileName;
  std::vector<std::string> messages;
  std::vector<std::string> failures;  // the file name of each reported failure
  int saveDialogs = 0;
  bool busyWhileReporting = false;
};

}  // namespace korvel::test
