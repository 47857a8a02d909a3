#include "shock/srs_command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

#include "shock/output_text.h"
#include "shock/parallel_spectrum.h"
#include "shock/record_text.h"
#include "shock/shown_number.h"
#include "shock/spectrum_csv.h"
#include "shock/spectrum_frequencies.h"
#include "shock/spectrum_plot.h"

namespace korvel::shock {
namespace {

constexpr std::size_t kReadSize = 1 << 20;

// The engines share the processors: two where there are two or more.
int threadCount() {
  const unsigned processors = std::thread::hardware_concurrency();
  return processors >= 2 ? 2 : 1;
}

}  // namespace

std::vector<std::string> runSrs(const SrsOptions& options) {
  const bool fromStandardInput = options.input == "-";
  const std::string source = fromStandardInput ? "standard input" : shownPath(options.input);
  std::FILE* input = stdin;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> opened(nullptr, std::fclose);
  if (!fromStandardInput) {
    opened.reset(std::fopen(options.input.c_str(), "rb"));
    if (!opened) throw FileError("could not open " + source + ": " + std::strerror(errno));
    input = opened.get();
  }

  std::vector<double> frequencies;
  std::unique_ptr<ParallelSpectrum> spectrum;
  RecordText record(
      source, options.rate,
      [&](double rate, std::optional<std::int64_t> count) {
        frequencies = spectrumFrequencies(options, rate, count);
        spectrum = std::make_unique<ParallelSpectrum>(frequencies, rate, options.q, options.rule, threadCount());
      },
      [&](const double* samples, std::size_t count) { spectrum->feed(samples, count); });
  std::vector<char> buffer(kReadSize);
  while (true) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), input);
    if (got > 0) record.read(buffer.data(), got);
    if (got < buffer.size()) {
      if (std::ferror(input)) throw FileError("could not read " + source + ": " + std::strerror(errno));
      break;
    }
  }
  record.end();
  const std::vector<srs::Peaks> peaks = spectrum->finish();
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    if (!std::isfinite(peaks[i].maximax)) {
      throw RecordError(source + ": the response at " + shownNumber(frequencies[i]) +
                        " Hz overflows double precision: scale the record down");
    }
  }

  writeText(options.output, spectrumCsv(frequencies, peaks));
  if (!options.plot.empty()) {
    const std::string rule = options.rule == srs::PeakRule::Sampled ? "peaks at the samples" : "continuous peaks";
    writeText(options.plot,
              spectrumPlotSvg(
                  frequencies, peaks,
                  {"Shock response spectrum of " + (fromStandardInput ? std::string("standard input") : options.input),
                   "Q = " + shownNumber(options.q) + ", " + rule + ", " + shownPlainNumber(record.sampleRate()) +
                       " samples per second, " + std::to_string(record.sampleCount()) + " samples",
                   ""}));
  }
  return spectrumNotes(frequencies, record.sampleRate(), record.sampleCount(), options.rule);
}

}  // namespace korvel::shock
