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

// What a synthesis writes, in memory: the time history, the table, the report
// and its summary, and the plot (when asked for).
struct SynthesisFiles {
  std::string file, table, report, summary, plot;
  bool met = false;  // every check point within the band and every limit met
};

// The synthesis of a target's text, `source` naming it in messages and the
// plot. Throws UsageError or RecordError (a bad target).
SynthesisFiles synthesizeFiles(const std::string& targetText, const std::string& source,
                               const SynthesizeOptions& options, bool withPlot);

// Writes the file and whatever else was asked for; true when every check
// point is within the band and every limit is met. Throws UsageError,
// RecordError (a bad target) or FileError.
bool runSynthesize(const SynthesizeOptions& options);

}  // namespace korvel::shock
