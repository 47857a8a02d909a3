#pragma once

// The records the calculation works on: the six inputs, the single sampled time
// history, the outcome of a synthesis, and what the Calculate command needs of
// the user interface.

#include <cstdint>
#include <optional>
#include <string>

namespace korvel {

struct WaveletParams {
  double amplitude = 0;            // peak scale factor A, in the user's units
  double frequency = 0;            // carrier frequency f, Hz
  std::int32_t halfSineCount = 0;  // N; the form offers the odd values 3 to 23
  double delay = 0;                // start of the wavelet td, s
  double duration = 0;             // total length of the record D, s
  double samplesPerSecond = 0;     // sample rate sr
};

inline constexpr std::int32_t kMaxSamples = 2'000'000;
inline constexpr std::int32_t kMaxSampleCount = 1'999'999;

// Fixed storage for the largest calculation: 32 MB in two arrays, never allocated.
// Entries at and beyond `count` are left from earlier runs and never read.
struct TimeHistory {
  double time[kMaxSamples];
  double amplitude[kMaxSamples];
  std::int32_t count;
};

// The process's single time history, zero-filled at load.
extern TimeHistory timeHistory;

struct SynthesisResult {
  enum Outcome { Ok, DurationTooShort };
  Outcome outcome = Ok;
  double recommendedDuration = 0;  // the wavelet's end time, for DurationTooShort
};

// The user-interface operations one run of the Calculate command needs.
class CalculationUi {
 public:
  virtual ~CalculationUi() = default;
  virtual std::string fieldText(int controlId) = 0;
  virtual int selectedHalfSineIndex() = 0;
  virtual void showMessage(const std::string& text) = 0;
  // The chosen file's bare name; the chosen folder is then the current directory.
  // Nothing when the user cancels.
  virtual std::optional<std::string> askOutputFileName() = 0;
  // True when the rows go to the process's standard output, as it stands,
  // instead of to a file of the chosen name.
  virtual bool writesToStandardOutput() const { return false; }
  virtual void beginWaitCursor() = 0;
  virtual void endWaitCursor() = 0;

  // While a write waits on slow storage, about ten times a second: how many of
  // the rows the storage has taken so far. The form keeps painting and, once
  // the write has taken about a second, shows a progress bar. Input stays ignored.
  virtual void writeProgress(std::int32_t rowsWritten, std::int32_t rowCount) {
    (void)rowsWritten;
    (void)rowCount;
  }
  // The write has ended, however it ended: any progress bar goes.
  virtual void writeEnded() {}
};

}  // namespace korvel
