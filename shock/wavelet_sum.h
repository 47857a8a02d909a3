#pragma once

// The sum of a table of wavelets on korvel's grid, each computed exactly as
// korvel computes a wavelet (the same formula and order of operations; the
// first row one step before zero) and added in the table's order.

#include <string>
#include <vector>

#include "shock/wavelet_table.h"

namespace korvel::shock {

struct WaveletSum {
  std::vector<double> time;
  std::vector<double> amplitude;
};

// Throws RecordError (naming `source` and the wavelet's line in the table)
// when a wavelet does not end within the duration, and UsageError
// when the duration holds more than 1,999,999 samples or none.
WaveletSum sumWavelets(const std::vector<TableWavelet>& wavelets, double rate, double duration,
                       const std::string& source);

// The sum in korvel's row format (33 bytes a row).
std::string timeHistoryText(const WaveletSum& sum);

}  // namespace korvel::shock
