#pragma once

// The benchmark's calculation: amplitude 1, 3 half-sines, delay 0, 200 s at
// 10,000 samples per second (1,999,999 rows); only the frequency varies.

#include "calc/time_history.h"

namespace korvel::bench {

struct BenchCase {
  WaveletParams params;
  const char* outputPath;
};

// From "PROGRAM FREQUENCY OUTPUT"; exits with a usage line on anything else.
BenchCase benchCaseFromArgs(int argc, char** argv);

}  // namespace korvel::bench
