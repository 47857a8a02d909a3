#pragma once

// Notes for a careful engineer, printed beside a run; they never change the file.

#include <string>
#include <vector>

#include "calc/time_history.h"
#include "cli/cli_options.h"

namespace korvel::cli {

// Field texts whose tail was ignored, or that held no number at all.
std::vector<std::string> fieldTextNotes(const CliOptions& options);

// About the written file: too low a sample rate for the wavelet's content,
// times that print alike, no samples at all.
std::vector<std::string> resultNotes(const WaveletParams& params, const TimeHistory& history);

}  // namespace korvel::cli
