// Baseline: synthesis, then the straightforward exact formatter (17 digits by
// to_chars, half-up cut, three-digit exponent, appended to a string per row)
// through the 1 MiB output buffer. This is how rows were written before the
// fast formatter; formatExponent is still that formatter.

#include <string>

#include "bench/bench_case.h"
#include "calc/synthesis.h"
#include "platform/files/output_file.h"
#include "platform/numbers/number_format.h"

int main(int argc, char** argv) {
  using namespace korvel;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc, argv);
  WaveletSynthesis(benchCase.params, timeHistory).finish();
  OutputFile file;
  file.open(benchCase.outputPath);
  std::string row;
  char field[kMaxNumberText];
  for (std::int32_t i = 0; i < timeHistory.count; ++i) {
    row.assign(1, ' ');
    row.append(field, formatExponent(field, timeHistory.time[i], 6, 14));
    row.append(" \t ");
    row.append(field, formatExponent(field, timeHistory.amplitude[i], 4, 12));
    row.append(" \r\n");
    file.write(row.data(), row.size());
  }
  file.close();
  return 0;
}
