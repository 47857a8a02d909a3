// Floor, part one: the synthesis alone, filling the two fixed arrays; no file.

#include "bench/bench_case.h"
#include "calc/synthesis.h"

int main(int argc, char** argv) {
  using namespace korvel;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc, argv);
  WaveletSynthesis(benchCase.params, timeHistory).finish();
  // Read the arrays back so that no store can be dropped.
  volatile double sink = timeHistory.time[timeHistory.count - 1] + timeHistory.amplitude[timeHistory.count / 2];
  (void)sink;
  return 0;
}
