#pragma once

// The time-history file: one 33-byte row per sample, " %14.6e \t %12.4e \r\n"
// with three-digit exponents, no header and no trailer.

#include <string>

#include "calc/time_history.h"

namespace korvel {

class OutputFile;
class WaveletSynthesis;

inline constexpr int kRowLength = 33;

// Replaces `row` with the row text for one sample.
void formatTimeHistoryRow(double time, double amplitude, std::string& row);

// Writes rows 0 to count - 1 to an open file, each formatted into `row` and
// written once `samples` has its sample in place.
void writeTimeHistory(OutputFile& file, const TimeHistory& history, std::string& row, const WaveletSynthesis& samples);

}  // namespace korvel
