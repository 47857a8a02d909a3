#pragma once

// The main form (template 102): five numeric fields, the half-sine list and the
// Calculate and Exit buttons. It gives the Calculate command its live controls
// and its message boxes, save dialog and busy cursor.

#include <QIcon>

#include "calc/time_history.h"
#include "platform/qt/dialog.h"
#include "platform/qt/write_progress.h"

class QLineEdit;
class QListWidget;

namespace korvel {

class FileFailure;

class CTimeHistoryDlg : public CDialog, public CalculationUi {
 public:
  explicit CTimeHistoryDlg(QWidget* parent = nullptr);

  std::string fieldText(int controlId) override;
  int selectedHalfSineIndex() override;
  void showMessage(const std::string& text) override;
  std::optional<std::string> askOutputFileName() override;
  void beginWaitCursor() override;
  void endWaitCursor() override;
  void writeProgress(std::int32_t rowsWritten, std::int32_t rowCount) override;
  void writeEnded() override;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnInitDialog() override;
  // Runs the Calculate command; the form stays open whatever the outcome.
  void OnOK() override;
  // The About entry opens the About box.
  void OnSysCommand(int command) override;

  // Reports a file the Calculate command could not write.
  virtual void reportFileFailure(const FileFailure& failure);

 private:
  QLineEdit* samplesPerSecond_ = nullptr;
  QLineEdit* duration_ = nullptr;
  QLineEdit* delay_ = nullptr;
  QLineEdit* frequency_ = nullptr;
  QLineEdit* amplitude_ = nullptr;
  QListWidget* halfSines_ = nullptr;
  QIcon icon_;
  WriteProgress writeProgress_;
};

}  // namespace korvel
