#pragma once

// korvel-shock synthesize TARGET -o FILE|- [--table FILE] [--report FILE]
// [--plot FILE.svg]: a sum of wavelets whose SRS meets a target within a
// tolerance band and a shaker's limits, in korvel's own rows.

#include <string>
#include <vector>

#include "shock/shock_synthesis.h"

namespace korvel::shock {

struct SynthesizeOptions {
  std::string target;
  std::string output, table, report, plot;
  bool rateGiven = false;
  std::string units = "g";
  SynthesisSettings settings;
};

// The words after "synthesize"; throws UsageError.
SynthesizeOptions parseSynthesizeOptions(const std::vector<std::string>& words);
std::string synthesizeUsage();

// Writes the file and whatever else was asked for; true when every check
// point is within the band and every limit is met. Throws UsageError,
// RecordError (a bad target) or FileError.
bool runSynthesize(const SynthesizeOptions& options);

}  // namespace korvel::shock
