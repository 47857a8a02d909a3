#pragma once

// A spectrum as CSV: a header line, then one line per natural frequency, every
// number in the shortest form that reads back as the same double.

#include <string>
#include <vector>

#include "srs/peaks.h"

namespace korvel::shock {

inline constexpr const char* kSpectrumHeader = "frequency_hz,maximax,positive,negative,primary,residual";

std::string spectrumCsv(const std::vector<double>& frequencies, const std::vector<srs::Peaks>& peaks);

}  // namespace korvel::shock
