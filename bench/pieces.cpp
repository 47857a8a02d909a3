// Where korvel-cli's time goes, piece by piece, in one process: the synthesis
// alone (one thread, the sine included), the rows' formatting alone (into a
// buffer that is never written), the file service alone (the rows already
// formatted, written and closed), and the three together as korvel-cli runs
// them. Built for Linux and Windows, so that Windows' pieces can be set against
// Linux's under Wine. Medians of RUNS and, in brackets, the fastest run (the
// piece's own cost, least disturbed by other work on the machine), in milliseconds.
//
//   bench_pieces FREQUENCY OUTPUT [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_case.h"
#include "calc/synthesis.h"
#include "calc/time_history_file.h"
#include "platform/files/output_file.h"

namespace {

using namespace korvel;

struct Timing {
  double median;
  double fastest;
};

template <typename Work>
Timing timeRuns(int runs, Work work) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

void print(const char* name, Timing timing) { std::printf("  %s %6.1f (%5.1f)", name, timing.median, timing.fastest); }

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc > 3 ? 3 : argc, argv);
  const SynthesisPlan plan = planSynthesis(benchCase.params);
  const std::int32_t count = plan.count;

  const Timing synthesis = timeRuns(runs, [&] { fillSamples(plan, timeHistory, 0, count); });
  timeHistory.count = count;

  std::string row;
  std::vector<char> rows(static_cast<std::size_t>(count) * kRowLength);
  // The formatting's loop below without the formatting: what the copy itself costs.
  const Timing copying = timeRuns(runs, [&] {
    char* out = rows.data();
    row.assign(kRowLength, ' ');
    for (std::int32_t i = 0; i < count; ++i, out += kRowLength) {
      row[0] = static_cast<char>(i);
      std::copy(row.begin(), row.end(), out);
    }
  });

  const Timing formatting = timeRuns(runs, [&] {
    char* out = rows.data();
    for (std::int32_t i = 0; i < count; ++i, out += kRowLength) {
      formatTimeHistoryRow(timeHistory.time[i], timeHistory.amplitude[i], row);
      std::copy(row.begin(), row.end(), out);
    }
  });
  const Timing writing = timeRuns(runs, [&] {
    OutputFile file;
    file.open(benchCase.outputPath, kRowLength);
    for (std::int32_t i = 0; i < count; ++i) file.write(rows.data() + std::size_t(i) * kRowLength, kRowLength);
    file.close();
  });

  const Timing whole = timeRuns(runs, [&] {
    WaveletSynthesis samples(benchCase.params, timeHistory);
    OutputFile file;
    file.open(benchCase.outputPath, kRowLength);
    writeTimeHistory(file, timeHistory, row, samples);
    file.close();
  });

  std::printf("%-7s", argv[1]);
  print("synthesis", synthesis);
  print("formatting", formatting);
  print("of it copying", copying);
  print("writing", writing);
  print("together", whole);
  std::printf("  ms\n");
  return 0;
}
