#include "ui/time_history_dlg.h"

#include <string>

#include "calc/calculate_command.h"
#include "calc/field_reading.h"
#include "platform/files/file_failure.h"
#include "platform/window/busy_cursor.h"
#include "platform/window/message_box.h"
#include "platform/window/save_dialog.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"

namespace korvel {
namespace {

// Where a slow write's progress bar shows, in dialog units: below the Exit button.
constexpr DialogRect kProgressArea{200, 120, 110, 14};

}  // namespace

CTimeHistoryDlg::CTimeHistoryDlg(CDialog* parent, WriteProgress::Clock clock)
    : CDialog(res::kTimeHistoryTemplate, parent), icon_(Icon::load(res::IDR_MAINFRAME)),
      writeProgress_(*this, kProgressArea, clock) {}

void CTimeHistoryDlg::DoDataExchange(DataExchange& exchange) {
  CDialog::DoDataExchange(exchange);
  exchange.bind(res::IDC_SAMPLES_PER_SECOND, samplesPerSecond_);
  exchange.bind(res::IDC_DURATION, duration_);
  exchange.bind(res::IDC_DELAY, delay_);
  exchange.bind(res::IDC_FREQUENCY, frequency_);
  exchange.bind(res::IDC_AMPLITUDE, amplitude_);
  exchange.bind(res::IDC_HALF_SINES, halfSines_);
}

bool CTimeHistoryDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (hasWindowMenu()) {
    const std::string_view about = res::loadString(res::IDS_ABOUTBOX);
    if (!about.empty()) {
      appendWindowMenuSeparator();
      appendWindowMenuEntry(res::IDM_ABOUTBOX, about);
    }
  }

  // One icon for the title bar, the taskbar and the window switcher.
  SetIcon(icon_);

  // Inserted at explicit positions, so the list keeps the numeric order.
  for (int k = 0; k < kHalfSineEntryCount; ++k) {
    halfSines_.InsertString(k, std::to_string(halfSineCountForIndex(k)));
  }
  halfSines_.SetCurSel(0);

  // A field whose text is read only in part says so as it is typed; the
  // command still reads the text as it stands.
  for (CEdit* field : {&samplesPerSecond_, &duration_, &delay_, &frequency_, &amplitude_}) {
    field->markAsTyped([](const std::string& text) { return fieldReadingNote(text); });
  }
  return true;
}

void CTimeHistoryDlg::OnOK() {
  try {
    runCalculation(*this);
  } catch (const FileFailure& failure) {
    reportFileFailure(failure);
  }
}

void CTimeHistoryDlg::OnSysCommand(int command) {
  if ((command & kSysCommandMask) == res::IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(command);
}

void CTimeHistoryDlg::reportFileFailure(const FileFailure& failure) { showFileFailureReport(*this, failure); }

std::string CTimeHistoryDlg::fieldText(int controlId) {
  switch (controlId) {
    case res::IDC_SAMPLES_PER_SECOND: return samplesPerSecond_.GetWindowText();
    case res::IDC_DURATION: return duration_.GetWindowText();
    case res::IDC_DELAY: return delay_.GetWindowText();
    case res::IDC_FREQUENCY: return frequency_.GetWindowText();
    case res::IDC_AMPLITUDE: return amplitude_.GetWindowText();
    default: return {};
  }
}

int CTimeHistoryDlg::selectedHalfSineIndex() { return halfSines_.GetCurSel(); }

void CTimeHistoryDlg::showMessage(const std::string& text) { showMessageBox(*this, text); }

std::optional<std::string> CTimeHistoryDlg::askOutputFileName() { return askSaveFileName(*this); }

void CTimeHistoryDlg::beginWaitCursor() { beginBusyCursor(); }

void CTimeHistoryDlg::endWaitCursor() { endBusyCursor(); }

void CTimeHistoryDlg::writeProgress(std::int32_t rowsWritten, std::int32_t rowCount) {
  writeProgress_.update(rowsWritten, rowCount);
}

void CTimeHistoryDlg::writeEnded() { writeProgress_.end(); }

}  // namespace korvel
