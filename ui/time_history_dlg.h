#pragma once

// The main form (template 102): five numeric fields, the half-sine list and the
// Calculate and Exit buttons. It gives the Calculate command its live controls
// and its message boxes, save dialog and busy cursor.

#include <array>

#include "calc/time_history.h"
#include "platform/window/controls.h"
#include "platform/window/dialog.h"
#include "platform/window/icon.h"
#include "platform/window/write_progress.h"

namespace korvel {

class FileFailure;

class CTimeHistoryDlg : public CDialog, public CalculationUi {
 public:
  // `clock` times a slow write's progress (a test's own clock in tests).
  explicit CTimeHistoryDlg(CDialog* parent = nullptr, WriteProgress::Clock clock = &WriteProgress::steadyClock);

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
  struct NumericField {
    int controlId;
    CEdit CTimeHistoryDlg::*edit;
  };
  // The five numeric fields by control id, in their order below, which is the
  // order they are bound in (and the Calculate command reads them in).
  static const std::array<NumericField, 5> kNumericFields;

  CEdit samplesPerSecond_;
  CEdit duration_;
  CEdit delay_;
  CEdit frequency_;
  CEdit amplitude_;
  CListBox halfSines_;
  Icon icon_;
  WriteProgress writeProgress_;
};

}  // namespace korvel
