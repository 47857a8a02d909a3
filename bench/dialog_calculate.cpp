// The dialog's own overhead on the largest file: the time from a press of
// "Calculate Time History" to the completion message, against the same command
// run in the same process with a bare user interface. Message box and save
// dialog are answered at once so that only the program's work is timed.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "calc/calculate_command.h"
#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "ui/time_history_dlg.h"

namespace {

using namespace korvel;

class AnsweringForm : public CTimeHistoryDlg {
 public:
  using CTimeHistoryDlg::OnOK;
  void showMessage(const std::string&) override { finished = timer.nsecsElapsed(); }
  std::optional<std::string> askOutputFileName() override { return std::string("dialog.txt"); }
  QElapsedTimer timer;
  qint64 finished = 0;
};

class BareUi : public CalculationUi {
 public:
  explicit BareUi(const char* frequency) : frequency_(frequency) {}
  std::string fieldText(int id) override {
    switch (id) {
      case res::IDC_AMPLITUDE: return "1";
      case res::IDC_FREQUENCY: return frequency_;
      case res::IDC_DELAY: return "0";
      case res::IDC_DURATION: return "200";
      default: return "10000";
    }
  }
  int selectedHalfSineIndex() override { return 0; }
  void showMessage(const std::string&) override {}
  std::optional<std::string> askOutputFileName() override { return std::string("bare.txt"); }
  void beginWaitCursor() override {}
  void endWaitCursor() override {}

 private:
  const char* frequency_;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QTemporaryDir folder;
  QDir::setCurrent(folder.path());

  for (const char* frequency : {"10", "0.0075"}) {
    AnsweringForm form;
    form.Create();
    qtWindow(form).show();
    const std::pair<int, const char*> values[] = {{res::IDC_AMPLITUDE, "1"},
                                                  {res::IDC_FREQUENCY, frequency},
                                                  {res::IDC_DELAY, "0"},
                                                  {res::IDC_DURATION, "200"},
                                                  {res::IDC_SAMPLES_PER_SECOND, "10000"}};
    for (const auto& [id, text] : values) dynamic_cast<QLineEdit*>(qtControl(form, id))->setText(text);
    auto* calculate = dynamic_cast<QPushButton*>(qtControl(form, res::IDOK));

    std::vector<double> dialog, bare;
    for (int run = 0; run < runs; ++run) {
      form.timer.start();
      calculate->click();
      dialog.push_back(form.finished / 1e9);
      BareUi ui(frequency);
      QElapsedTimer timer;
      timer.start();
      runCalculation(ui);
      bare.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::printf("%-12s dialog %.3f s   same command, bare interface %.3f s   dialog overhead %+.3f s (medians of %d)\n",
                frequency[0] == '1' ? "max case" : "full window", median(dialog), median(bare),
                median(dialog) - median(bare), runs);
  }
  return 0;
}
