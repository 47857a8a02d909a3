// Baseline: synthesis, then fprintf per row through stdio's buffer.

#include <cstdio>

#include "bench/bench_case.h"
#include "calc/synthesis.h"

int main(int argc, char** argv) {
  using namespace korvel;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc, argv);
  WaveletSynthesis(benchCase.params, timeHistory).finish();
  std::FILE* file = std::fopen(benchCase.outputPath, "wb");
  if (!file) return 1;
  for (std::int32_t i = 0; i < timeHistory.count; ++i) {
    std::fprintf(file, " %14.6e \t %12.4e \r\n", timeHistory.time[i], timeHistory.amplitude[i]);
  }
  return std::fclose(file) == 0 ? 0 : 1;
}
