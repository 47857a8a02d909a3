#pragma once

// A synthesised shock drawn for a report, in one SVG file: the achieved SRS
// (1/48 octave) over the target and its tolerance band on log-log axes, and
// under it the time history with the velocity and displacement it drives.

#include <string>

#include "shock/shock_synthesis.h"
#include "shock/synthesis_report.h"

namespace korvel::shock {

std::string synthesisPlotSvg(const SynthesisMeasure& measure, const SynthesisSettings& settings,
                             const std::string& unit, const std::string& source);

}  // namespace korvel::shock
