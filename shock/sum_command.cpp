#include "shock/sum_command.h"

#include "shock/input_text.h"
#include "shock/output_text.h"
#include "shock/shown_number.h"
#include "shock/srs_options.h"
#include "shock/wavelet_sum.h"

namespace korvel::shock {

SumOptions parseSumOptions(const std::vector<std::string>& words) {
  SumOptions options;
  bool haveTable = false, haveRate = false, haveDuration = false, haveOutput = false;
  CommandWords line(words);
  while (line.next()) {
    const std::string& name = line.word();
    if (line.operand()) {
      if (haveTable) throw UsageError("\"" + shownText(name) + "\": a second table (sum takes one)");
      options.table = name;
      haveTable = true;
    } else if (name == "--rate") {
      options.rate = line.positive();
      haveRate = true;
    } else if (name == "--duration") {
      options.duration = line.positive();
      haveDuration = true;
    } else if (name == "--output" || name == "-o") {
      options.output = line.path();
      haveOutput = true;
    } else {
      throw UsageError(shownText(name) + ": unknown option of sum (see korvel-shock --help)");
    }
  }
  if (!haveTable) throw UsageError("sum: give the table of wavelets (a file, or - for standard input)");
  if (!haveRate) throw UsageError("--rate: required (samples per second)");
  if (!haveDuration) throw UsageError("--duration: required (the record's length, s)");
  if (!haveOutput) throw UsageError("--output: required (the file to write, or -)");
  return options;
}

std::string sumUsage() {
  return "Usage: korvel-shock sum TABLE|- --rate R --duration D -o FILE|-\n"
         "\n"
         "Adds up a table of wavelets into one korvel time-history file: each wavelet\n"
         "computed exactly as korvel computes it, on korvel's grid (the first row one\n"
         "step before zero), added in the table's order, in korvel's 33-byte rows (at\n"
         "most 1,999,999). A one-row table writes the same bytes as korvel-cli.\n"
         "\n"
         "  TABLE                  CSV with the header frequency_hz,amplitude,half_sines,\n"
         "                         delay_s (amplitude signed; half-sines odd, 3 or more)\n"
         "  --rate R               samples per second\n"
         "  --duration D           the record's length, s; every wavelet must end within it\n"
         "  -o, --output FILE      the file to write (replaced), or - for standard output\n";
}

void runSum(const SumOptions& options) {
  const std::string text = readWholeText(options.table);
  const std::vector<TableWavelet> wavelets = readWaveletTable(text, inputName(options.table));
  const WaveletSum sum = sumWavelets(wavelets, options.rate, options.duration, inputName(options.table));
  writeText(options.output, timeHistoryText(sum));
}

}  // namespace korvel::shock
