#pragma once

// A spectrum drawn for a report: log-log axes, labelled and gridded, in one
// self-contained SVG file.

#include <string>
#include <vector>

#include "srs/peaks.h"

namespace korvel::shock {

struct SpectrumPlotText {
  std::string title;     // e.g. "Shock response spectrum of wave.txt"
  std::string subtitle;  // e.g. "Q = 10, peaks at the samples"
  std::string units;     // the record's unit of acceleration, or empty
};

std::string spectrumPlotSvg(const std::vector<double>& frequencies, const std::vector<srs::Peaks>& peaks,
                            const SpectrumPlotText& text);

}  // namespace korvel::shock
