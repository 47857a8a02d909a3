#include "shock/srs_options.h"

#include <cmath>

#include "shock/shown_number.h"

namespace korvel::shock {
namespace {

// Above this a free decay rings for so long that no record can use it; 10^6
// is as good as undamped for any test.
constexpr double kLargestQ = 1e6;
constexpr int kLargestFraction = 96;

}  // namespace

SrsOptions parseSrsOptions(const std::vector<std::string>& words) {
  SrsOptions options;
  bool haveInput = false;
  CommandWords line(words, true);
  while (line.next()) {
    const std::string& name = line.word();
    if (line.operand()) {
      if (haveInput) throw UsageError("\"" + shownText(name) + "\": a second input (srs takes one record)");
      options.input = name;
      haveInput = true;
      continue;
    }
    auto take = [&] { return line.value(); };
    // One number of a list, above 0.
    auto positive = [&](const std::string& text) {
      const double v = optionNumber(name, text);
      if (!(v > 0)) throw UsageError(name + " " + shownText(text) + ": must be above 0");
      return v;
    };
    if (name == "--q") {
      const std::string text = take();
      options.q = optionNumber(name, text);
      if (!(options.q > 0.5)) {
        throw UsageError("--q " + shownText(text) +
                         ": must be above 0.5 (an oscillator damped that much does not ring)");
      }
      if (options.q > kLargestQ) throw UsageError("--q " + shownText(text) + ": must be at most 1e6");
    } else if (name == "--fraction") {
      const std::string text = take();
      const double v = optionNumber(name, text);
      if (v != std::floor(v) || v < 1 || v > kLargestFraction) {
        throw UsageError("--fraction " + shownText(text) + ": must be a whole number from 1 to " +
                         std::to_string(kLargestFraction) + " (bands per octave)");
      }
      options.fraction = static_cast<int>(v);
    } else if (name == "--from") {
      options.from = line.positive();
    } else if (name == "--to") {
      options.to = line.positive();
    } else if (name == "--frequencies") {
      const std::string list = take();
      std::size_t start = 0;
      while (true) {
        const std::size_t comma = list.find(',', start);
        options.frequencies.push_back(positive(list.substr(start, comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else if (name == "--peak") {
      const std::string text = take();
      if (text == "sampled") {
        options.rule = srs::PeakRule::Sampled;
      } else if (text == "continuous") {
        options.rule = srs::PeakRule::Continuous;
      } else {
        throw UsageError("--peak \"" + shownText(text) + "\": must be sampled or continuous");
      }
    } else if (name == "--rate") {
      options.rate = line.positive();
    } else if (name == "--output" || name == "-o") {
      options.output = line.path();
    } else if (name == "--plot") {
      options.plot = line.path();
    } else {
      throw UsageError(shownText(name) + ": unknown option of srs (see korvel-shock --help)");
    }
  }
  if (!haveInput) throw UsageError("srs: give the record to read (a file, or - for standard input)");
  if (!options.frequencies.empty() && (options.from || options.to)) {
    throw UsageError("--frequencies: give either the list or --from and --to, not both");
  }
  if (options.from && options.to && *options.from > *options.to) {
    throw UsageError("--from " + shownNumber(*options.from) + " is above --to " + shownNumber(*options.to));
  }
  return options;
}

std::string srsUsage() {
  return "Usage: korvel-shock srs [--q Q] [--fraction N] [--from HZ] [--to HZ]\n"
         "                        [--frequencies HZ,HZ,...] [--peak sampled|continuous]\n"
         "                        [--rate R] [-o OUT|-] [--plot FILE.svg] INPUT|-\n"
         "\n"
         "The shock response spectrum of a record: for each natural frequency, the peak\n"
         "absolute acceleration of a single-degree-of-freedom oscillator on the table,\n"
         "at rest before the record and left to ring out after it.\n"
         "\n"
         "  INPUT                  a korvel file, any two-column text (time, amplitude:\n"
         "                         CSV with or without a header line, spaces or tabs,\n"
         "                         # comments), or - for standard input\n"
         "  --q Q                  quality factor, above 0.5 (default 10: 5 % damping)\n"
         "  --fraction N           1/N-octave natural frequencies on the series\n"
         "                         1000 * 2^(k/N) Hz (default 12)\n"
         "  --from HZ, --to HZ     the series from the point nearest HZ to the point\n"
         "                         nearest HZ (default: up to a tenth of the sample rate,\n"
         "                         and down ten octaves or to one cycle in the record)\n"
         "  --frequencies HZ,...   these natural frequencies instead of a series\n"
         "  --peak sampled         peaks at the record's sample instants (default: what\n"
         "                         standards and other tools compute)\n"
         "  --peak continuous      the true peaks, between samples too\n"
         "  --rate R               the sample rate; then one column of amplitudes is\n"
         "                         enough, and a time column must fit it\n"
         "  -o, --output OUT       the spectrum as CSV (default -: standard output)\n"
         "  --plot FILE.svg        the spectrum also drawn on log-log axes\n"
         "\n"
         "The CSV's columns: frequency_hz,maximax,positive,negative,primary,residual\n"
         "(primary: up to the record's last sample; residual: after it). Every number\n"
         "is the shortest text that reads back as the same double.\n";
}

}  // namespace korvel::shock
