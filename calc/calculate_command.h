#pragma once

// The Calculate command: reads the form, synthesises the wavelet, asks where to
// save, writes the file and says where it went.

#include <string>

#include "calc/time_history.h"

namespace korvel {

// The bare name of the output file last chosen; empty until the first choice.
extern std::string outputFileName;
// The shared text every run reuses for field texts, messages and file rows.
extern std::string scratchText;

// The half-sine list's entries: entry k, for k below kHalfSineEntryCount,
// stands for 2k + 3 half-sines (3, 5, ..., 23).
inline constexpr int kHalfSineEntryCount = 11;
constexpr std::int32_t halfSineCountForIndex(int index) { return 2 * index + 3; }

// The warning shown when the duration cannot hold the wavelet.
std::string durationWarningText(double recommendedDuration);
// The message shown once the file is complete.
std::string completionMessageText(const std::string& fileName);

// The form's six inputs, its fields read in the order the command reads them.
WaveletParams readWaveletParams(CalculationUi& ui);

// One run. A FileFailure travels out after the busy cursor is ended and the
// file closed; nothing else is raised.
void runCalculation(CalculationUi& ui);

}  // namespace korvel
