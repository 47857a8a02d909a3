#pragma once

// korvel-shock sum TABLE --rate R --duration D -o FILE|-: a table of wavelets
// added up into one korvel time-history file.

#include <string>
#include <vector>

namespace korvel::shock {

struct SumOptions {
  std::string table;
  double rate = 0;
  double duration = 0;
  std::string output;
};

// The words after "sum"; throws UsageError.
SumOptions parseSumOptions(const std::vector<std::string>& words);
std::string sumUsage();

// Throws UsageError, RecordError or FileError.
void runSum(const SumOptions& options);

}  // namespace korvel::shock
