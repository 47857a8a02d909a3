#pragma once

// What a synthesised shock achieves, measured from its file as written (the
// printed five-digit amplitudes, exactly as korvel-shock srs reads them), so
// that every platform reports the same: the SRS at the check points and on a
// 1/48-octave grid between them, the shaker's motion, and the verdict.

#include <string>
#include <vector>

#include "preview/motion.h"
#include "shock/shock_synthesis.h"
#include "shock/synthesis_target.h"

namespace korvel::shock {

struct SynthesisMeasure {
  std::vector<double> frequencies, target, achieved, errors;                  // the check points; errors in dB
  std::vector<double> fineFrequencies, fineTarget, fineAchieved, fineErrors;  // 1/48 octave
  std::vector<double> time, acceleration, velocity, displacement;             // the record read back (m/s, m)
  MotionFigures figures;
  double rate = 0;
};

// Reads the file's text back and measures it.
SynthesisMeasure measureSynthesis(const std::string& fileText, const SynthesisTarget& target,
                                  const std::vector<double>& checkFrequencies, const SynthesisSettings& settings);

struct SynthesisVerdict {
  bool withinBand = true;
  bool withinLimits = true;
};

// The report: the CSV of the check points (frequency_hz,target,achieved,
// error_db,within) and the summary as # lines after it; `summary` receives
// the summary's lines alone (for standard error).
std::string synthesisReport(const SynthesisMeasure& measure, const ShockSynthesis& synthesis,
                            const SynthesisSettings& settings, const std::string& unit, std::string& summary,
                            SynthesisVerdict& verdict);

// A number rounded to `digits` significant digits, in plain arithmetic (the
// same on every platform), shortest form.
std::string roundedNumber(double value, int digits);

}  // namespace korvel::shock
