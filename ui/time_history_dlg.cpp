#include "ui/time_history_dlg.h"

#include <algorithm>
#include <string>

#include "calc/calculate_command.h"
#include "calc/field_reading.h"
#include "platform/files/file_failure.h"
#include "platform/window/busy_cursor.h"
#include "platform/window/message_box.h"
#include "platform/window/save_dialog.h"
#include "res/dialog_templates.h"
#include "res/form_inputs.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"

namespace korvel {
namespace {

// Where a slow write's progress bar shows, in dialog units: below the Exit button.
constexpr DialogRect kProgressArea{200, 120, 110, 14};

}  // namespace

constexpr std::array<CTimeHistoryDlg::NumericField, 5> CTimeHistoryDlg::kNumericFields{{
    {res::IDC_SAMPLES_PER_SECOND, &CTimeHistoryDlg::samplesPerSecond_},
    {res::IDC_DURATION, &CTimeHistoryDlg::duration_},
    {res::IDC_DELAY, &CTimeHistoryDlg::delay_},
    {res::IDC_FREQUENCY, &CTimeHistoryDlg::frequency_},
    {res::IDC_AMPLITUDE, &CTimeHistoryDlg::amplitude_},
}};

CTimeHistoryDlg::CTimeHistoryDlg(CDialog* parent, WriteProgress::Clock clock)
    : CDialog(res::kTimeHistoryTemplate, parent),
      icon_(Icon::load(res::IDR_MAINFRAME)),
      writeProgress_(*this, kProgressArea, clock) {}

void CTimeHistoryDlg::DoDataExchange(DataExchange& exchange) {
  CDialog::DoDataExchange(exchange);
  static_assert(std::ranges::all_of(res::kFormInputs,
                                    [](const res::FormInput& input) {
                                      return input.kind != res::FormInput::Field ||
                                             std::ranges::count(kNumericFields, input.controlId,
                                                                &NumericField::controlId) == 1;
                                    }),
                "every text field of res/form_inputs.h is one of the form's fields");
  for (const NumericField& field : kNumericFields) exchange.bind(field.controlId, this->*field.edit);
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
  for (const NumericField& field : kNumericFields) {
    (this->*field.edit).markAsTyped([](const std::string& text) { return fieldReadingNote(text); });
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
  for (const NumericField& field : kNumericFields) {
    if (field.controlId == controlId) return (this->*field.edit).GetWindowText();
  }
  return {};
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
