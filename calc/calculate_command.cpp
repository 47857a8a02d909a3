#include "calc/calculate_command.h"

#include "calc/number_text.h"
#include "calc/synthesis.h"
#include "calc/time_history_file.h"
#include "platform/files/output_file.h"
#include "platform/numbers/number_format.h"
#include "res/resource_ids.h"

namespace korvel {

std::string outputFileName;
std::string scratchText;

namespace {

// The busy cursor, on from construction to destruction on every way out.
class WaitCursorScope {
 public:
  explicit WaitCursorScope(CalculationUi& ui) : ui_(ui) { ui_.beginWaitCursor(); }
  ~WaitCursorScope() { ui_.endWaitCursor(); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;

 private:
  CalculationUi& ui_;
};

// While the file waits on slow storage, the interface hears how many rows it
// has taken; from construction to destruction, on every way out.
class WriteProgressScope {
 public:
  WriteProgressScope(CalculationUi& ui, OutputFile& file, std::int32_t rowCount) : ui_(ui), file_(file) {
    file_.setWaitCallback([&ui, rowCount](std::uint64_t bytesWritten) {
      ui.writeProgress(static_cast<std::int32_t>(bytesWritten / kRowLength), rowCount);
    });
  }
  ~WriteProgressScope() {
    file_.setWaitCallback({});
    ui_.writeEnded();
  }
  WriteProgressScope(const WriteProgressScope&) = delete;
  WriteProgressScope& operator=(const WriteProgressScope&) = delete;

 private:
  CalculationUi& ui_;
  OutputFile& file_;
};

// Fetches the field's text into scratchText and converts it with parseNumber.
double readFieldValue(CalculationUi& ui, int controlId) {
  scratchText = ui.fieldText(controlId);
  return parseNumber(scratchText);
}

}  // namespace

std::string durationWarningText(double recommendedDuration) {
  std::string text = " Warning: Recommended duration > ";
  appendGeneral(text, recommendedDuration, 4, 8);
  return text;
}

std::string completionMessageText(const std::string& fileName) {
  return "Calculation complete.\n\n Please call the ouput file: " + fileName +
         " \n into your own graphics program.\n\n The output file has two columns:\n\n time(sec)  amplitude(units)";
}

WaveletParams readWaveletParams(CalculationUi& ui) {
  // Each field's parameter, in the command's own order (res/form_inputs.h lists
  // the fields as the form shows them).
  WaveletParams params;
  params.samplesPerSecond = readFieldValue(ui, res::IDC_SAMPLES_PER_SECOND);
  params.duration = readFieldValue(ui, res::IDC_DURATION);
  params.delay = readFieldValue(ui, res::IDC_DELAY);
  params.frequency = readFieldValue(ui, res::IDC_FREQUENCY);
  params.amplitude = readFieldValue(ui, res::IDC_AMPLITUDE);
  params.halfSineCount = halfSineCountForIndex(ui.selectedHalfSineIndex());
  return params;
}

void runCalculation(CalculationUi& ui) {
  // A large time history is filled on a second thread while the user chooses
  // the file and the rows are written; a small one at once. Either way every
  // sample is in place when the run ends, however it ends.
  WaveletSynthesis samples(readWaveletParams(ui), timeHistory);
  if (samples.result().outcome == SynthesisResult::DurationTooShort) {
    scratchText = durationWarningText(samples.result().recommendedDuration);
    ui.showMessage(scratchText);
    return;
  }

  // A cancelled save dialog ends the run: no earlier file is ever overwritten.
  std::optional<std::string> chosen = ui.askOutputFileName();
  if (!chosen) return;
  outputFileName = std::move(*chosen);

  OutputFile file;
  if (ui.writesToStandardOutput()) {
    file.openStandardOutput(outputFileName);
  } else {
    file.open(outputFileName, kRowLength);
  }
  {
    // Declared after the file, so on a failure the cursor ends before the file closes.
    WaitCursorScope busy(ui);
    {
      WriteProgressScope progress(ui, file, timeHistory.count);
      writeTimeHistory(file, timeHistory, scratchText, samples);
      samples.finish();
      file.close();
    }
    scratchText = completionMessageText(outputFileName);
    ui.showMessage(scratchText);
  }
}

}  // namespace korvel
