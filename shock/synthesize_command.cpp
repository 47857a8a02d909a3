#include "shock/synthesize_command.h"

#include <iostream>

#include "shock/input_text.h"
#include "shock/output_text.h"
#include "shock/shown_number.h"
#include "shock/srs_options.h"
#include "shock/synthesis_plot.h"
#include "shock/synthesis_report.h"
#include "shock/synthesis_target.h"
#include "shock/wavelet_sum.h"

namespace korvel::shock {

SynthesizeOptions parseSynthesizeOptions(const std::vector<std::string>& words) {
  SynthesizeOptions options;
  SynthesisSettings& s = options.settings;
  bool haveTarget = false;
  CommandWords line(words);
  while (line.next()) {
    const std::string& name = line.word();
    if (line.operand()) {
      if (haveTarget) throw UsageError("\"" + shownText(name) + "\": a second target (synthesize takes one)");
      options.target = name;
      haveTarget = true;
      continue;
    }
    auto take = [&] { return line.value(); };
    if (name == "--output" || name == "-o") {
      options.output = line.path();
    } else if (name == "--table") {
      options.table = line.path();
    } else if (name == "--report") {
      options.report = line.path();
    } else if (name == "--plot") {
      options.plot = line.path();
    } else if (name == "--q") {
      s.q = line.number();
      if (!(s.q > 0.5)) throw UsageError("--q: must be above 0.5");
    } else if (name == "--tolerance") {
      const std::string text = take();
      const auto comma = text.find(',');
      if (comma == std::string::npos) throw UsageError("--tolerance: give LOW,HIGH in dB (e.g. -1.5,3)");
      s.low = optionNumber(name, text.substr(0, comma));
      s.high = optionNumber(name, text.substr(comma + 1));
      if (!(s.low < 0 && s.high > 0)) throw UsageError("--tolerance: LOW must be below 0 dB and HIGH above it");
    } else if (name == "--fraction") {
      const double f = line.number();
      if (!(f >= 1 && f <= 96 && f == static_cast<int>(f))) throw UsageError("--fraction: a whole number from 1 to 96");
      s.fraction = static_cast<int>(f);
    } else if (name == "--rate") {
      s.rate = line.positive();
      options.rateGiven = true;
    } else if (name == "--duration") {
      s.longestDuration = line.positive();
    } else if (name == "--units") {
      options.units = take();
      if (options.units == "g") {
        s.unitScale = 9.80665;
      } else if (options.units == "m/s2") {
        s.unitScale = 1;
      } else {
        throw UsageError("--units: g or m/s2");
      }
    } else if (name == "--max-displacement") {
      s.limits.displacement = line.positive();
    } else if (name == "--max-velocity") {
      s.limits.velocity = line.positive();
    } else if (name == "--max-acceleration") {
      s.limits.acceleration = line.positive();
    } else if (name == "--seed") {
      const double seed = line.number();
      if (!(seed >= 0 && seed <= 9007199254740992.0 && seed == static_cast<double>(static_cast<long long>(seed)))) {
        throw UsageError("--seed: a whole number from 0 to 2^53");
      }
      s.seed = static_cast<std::uint64_t>(seed);
    } else if (name == "--baseline") {
      s.method = SynthesisMethod::PlainIteration;
    } else {
      throw UsageError(shownText(name) + ": unknown option of synthesize (see korvel-shock --help)");
    }
  }
  if (!haveTarget) throw UsageError("synthesize: give the target SRS (a file, or - for standard input)");
  if (options.output.empty()) throw UsageError("--output: required (the file to write, or -)");
  return options;
}

std::string synthesizeUsage() {
  return "Usage: korvel-shock synthesize TARGET|- -o FILE|- [--table FILE] [--report FILE] [--plot FILE.svg]\n"
         "\n"
         "Finds a sum of wavelets (odd half-sine counts, so that the shaker ends at\n"
         "rest) whose shock response spectrum meets the target within the tolerance\n"
         "band at every check point, within the shaker's limits, and writes it in\n"
         "korvel's rows; `korvel-shock sum` of the table writes the same bytes. The\n"
         "report is measured from the file as written. The same target and options\n"
         "give the same bytes on every run.\n"
         "\n"
         "  TARGET                 breakpoints \"frequency, level\" a line (a header line\n"
         "                         and # comments allowed; frequencies increasing),\n"
         "                         straight lines on log-log axes between them\n"
         "  -o, --output FILE      the time history (replaced), or - for standard output\n"
         "  --table FILE           the wavelets as frequency_hz,amplitude,half_sines,delay_s\n"
         "  --report FILE          per check point frequency_hz,target,achieved,error_db,\n"
         "                         within, and the summary (also on standard error)\n"
         "  --plot FILE.svg        the achieved SRS over the band, and the motion\n"
         "  --q Q                  the oscillators' quality factor (default 10)\n"
         "  --tolerance LOW,HIGH   the band in dB (default -1.5,3)\n"
         "  --fraction N           check points every 1/N octave on the series\n"
         "                         1000 * 2^(k/N) Hz within the target (default 12)\n"
         "  --rate R               samples per second (default: 1, 2 or 5 times a power\n"
         "                         of ten, at least ten times the highest frequency)\n"
         "  --duration D           the longest record allowed, s (default: as long as\n"
         "                         the wavelets need)\n"
         "  --units g|m/s2         the target's and the file's acceleration (default g;\n"
         "                         velocities in m/s, displacements in mm)\n"
         "  --max-displacement MM  the shaker's stroke, the peak of either sign\n"
         "  --max-velocity M/S     its peak velocity\n"
         "  --max-acceleration A   its peak acceleration, in the target's unit\n"
         "  --seed S               the draw of delays and signs (default 1)\n"
         "  --baseline             a plain amplitude iteration instead, for comparison\n"
         "\n"
         "Exit status 4: the file is written but a check point is outside the band or\n"
         "a limit is exceeded; the report says where, by how much and what binds.\n";
}

SynthesisFiles synthesizeFiles(const std::string& targetText, const std::string& source,
                               const SynthesizeOptions& options, bool withPlot) {
  const SynthesisTarget target = readSynthesisTarget(targetText, source);
  SynthesisSettings settings = options.settings;
  if (!options.rateGiven) settings.rate = roundRate(target.highest());
  const ShockSynthesis synthesis = synthesizeShock(target, settings);
  SynthesisFiles files;
  files.file = timeHistoryText(sumWavelets(synthesis.wavelets, settings.rate, synthesis.duration, "the synthesis"));
  files.table = waveletTableCsv(synthesis.wavelets);
  const SynthesisMeasure measure = measureSynthesis(files.file, target, synthesis.checkFrequencies, settings);
  SynthesisVerdict verdict;
  files.report = synthesisReport(measure, synthesis, settings, options.units, files.summary, verdict);
  if (withPlot) files.plot = synthesisPlotSvg(measure, settings, options.units, source);
  files.met = verdict.withinBand && verdict.withinLimits;
  return files;
}

bool runSynthesize(const SynthesizeOptions& options) {
  const SynthesisFiles files =
      synthesizeFiles(readWholeText(options.target), inputName(options.target), options, !options.plot.empty());
  writeText(options.output, files.file);
  if (!options.table.empty()) writeText(options.table, files.table);
  if (!options.report.empty()) writeText(options.report, files.report);
  if (!options.plot.empty()) writeText(options.plot, files.plot);
  std::cerr << files.summary;
  return files.met;
}

}  // namespace korvel::shock
