#include "ui/time_history_dlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

#include "calc/calculate_command.h"
#include "platform/file_failure.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/field_mark.h"
#include "platform/qt/message_box.h"
#include "platform/qt/save_dialog.h"
#include "res/dialog_templates.h"
#include "res/icon_group.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"
#include "ui/field_reading_note.h"

namespace korvel {
namespace {

constexpr int kHalfSineEntries = 11;

// Where a slow write's progress bar shows, in dialog units: below the Exit button.
constexpr int kProgressX = 200, kProgressY = 120, kProgressWidth = 110, kProgressHeight = 14;

}  // namespace

CTimeHistoryDlg::CTimeHistoryDlg(QWidget* parent)
    : CDialog(res::kTimeHistoryTemplate, parent), icon_(res::loadIconGroup(res::IDR_MAINFRAME)),
      writeProgress_(this, pixelRect(kProgressX, kProgressY, kProgressWidth, kProgressHeight, baseUnits())) {}

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

  if (windowMenu() != nullptr) {
    const std::string_view about = res::loadString(res::IDS_ABOUTBOX);
    if (!about.empty()) {
      appendWindowMenuSeparator();
      appendWindowMenuEntry(res::IDM_ABOUTBOX, about);
    }
  }

  // One icon for the title bar, the taskbar and the window switcher.
  setWindowIcon(icon_);

  // Inserted at explicit positions, so the list keeps the numeric order.
  for (int k = 0; k < kHalfSineEntries; ++k) {
    halfSines_->insertItem(k, QString::number(halfSineCountForIndex(k)));
  }
  halfSines_->setCurrentRow(0);

  // A field whose text is read only in part says so as it is typed; the
  // command still reads the text as it stands.
  for (QLineEdit* field : {samplesPerSecond_, duration_, delay_, frequency_, amplitude_}) {
    markFieldAsTyped(field, [](const std::string& text) { return fieldReadingNote(text); });
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
  if ((command & 0xFFF0) == res::IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(command);
}

void CTimeHistoryDlg::reportFileFailure(const FileFailure& failure) { showFileFailureReport(this, failure); }

std::string CTimeHistoryDlg::fieldText(int controlId) {
  const auto* field = dynamic_cast<const QLineEdit*>(GetDlgItem(controlId));
  return field != nullptr ? field->text().toStdString() : std::string();
}

int CTimeHistoryDlg::selectedHalfSineIndex() { return halfSines_->currentRow(); }

void CTimeHistoryDlg::showMessage(const std::string& text) { showMessageBox(this, text); }

std::optional<std::string> CTimeHistoryDlg::askOutputFileName() { return askSaveFileName(this); }

void CTimeHistoryDlg::beginWaitCursor() { beginBusyCursor(); }

void CTimeHistoryDlg::endWaitCursor() { endBusyCursor(); }

void CTimeHistoryDlg::writeProgress(std::int32_t rowsWritten, std::int32_t rowCount) {
  writeProgress_.update(rowsWritten, rowCount);
}

void CTimeHistoryDlg::writeEnded() { writeProgress_.end(); }

}  // namespace korvel
