// Baseline: synthesis, then snprintf and one write(2) per row.

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "bench/bench_case.h"
#include "calc/synthesis.h"

int main(int argc, char** argv) {
  using namespace korvel;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc, argv);
  WaveletSynthesis(benchCase.params, timeHistory).finish();
  const int fd = ::open(benchCase.outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return 1;
  char row[128];
  for (std::int32_t i = 0; i < timeHistory.count; ++i) {
    const int length =
        std::snprintf(row, sizeof row, " %14.6e \t %12.4e \r\n", timeHistory.time[i], timeHistory.amplitude[i]);
    if (::write(fd, row, static_cast<std::size_t>(length)) != length) return 1;
  }
  return ::close(fd) == 0 ? 0 : 1;
}
