#include "bench/bench_case.h"

#include <cstdio>
#include <cstdlib>

namespace korvel::bench {

BenchCase benchCaseFromArgs(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FREQUENCY OUTPUT\n", argv[0]);
    std::exit(2);
  }
  BenchCase benchCase;
  benchCase.params.amplitude = 1;
  benchCase.params.frequency = std::strtod(argv[1], nullptr);
  benchCase.params.halfSineCount = 3;
  benchCase.params.delay = 0;
  benchCase.params.duration = 200;
  benchCase.params.samplesPerSecond = 10000;
  benchCase.outputPath = argv[2];
  return benchCase;
}

}  // namespace korvel::bench
