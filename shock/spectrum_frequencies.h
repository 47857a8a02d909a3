#pragma once

// The natural frequencies a spectrum is computed at, and the notes on them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shock/srs_options.h"

namespace korvel::shock {

// The list given, or the 1/N-octave series between --from and --to, whose
// defaults follow the record: up to the series point at or below a tenth of
// the sample rate (ten samples per cycle), down ten octaves from there or to
// one cycle within the record when it is shorter (`count` samples, when known).
// Throws UsageError for a frequency above half the sample rate.
std::vector<double> spectrumFrequencies(const SrsOptions& options, double rate, std::optional<std::int64_t> count);

// Notes for standard error: frequencies with fewer than ten samples per cycle
// (with the sampled peak's possible shortfall there), and a record shorter
// than one cycle of the lowest frequency.
std::vector<std::string> spectrumNotes(const std::vector<double>& frequencies, double rate, std::int64_t count,
                                       srs::PeakRule rule);

}  // namespace korvel::shock
