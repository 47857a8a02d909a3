#pragma once

// The main form with its message boxes, save dialog and file-failure report
// replaced by records, so that a calculation runs without blocking, and a
// clock of the test's own for its write progress.

#include <QApplication>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_failure.h"
#include "ui/time_history_dlg.h"

namespace korvel::test {

// The clock a RecordingForm's write progress is timed by: it stands still until
// a test moves it, from any thread.
inline std::atomic<std::int64_t> formClockMilliseconds{0};
inline std::chrono::steady_clock::time_point formClock() {
  return std::chrono::steady_clock::time_point(std::chrono::milliseconds(formClockMilliseconds.load()));
}
inline void moveFormClock(std::chrono::milliseconds by) { formClockMilliseconds += by.count(); }

class RecordingForm : public CTimeHistoryDlg {
 public:
  RecordingForm() : CTimeHistoryDlg(nullptr, &formClock) {}
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
