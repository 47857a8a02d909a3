#include "shock/spectrum_frequencies.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shock/shown_number.h"
#include "srs/frequency_series.h"

namespace korvel::shock {

std::vector<double> spectrumFrequencies(const SrsOptions& options, double rate, std::optional<std::int64_t> count) {
  std::vector<double> frequencies = options.frequencies;
  const int n = options.fraction;
  if (frequencies.empty()) {
    int last = srs::nearestSeriesIndex(options.to.value_or(rate / 10), n);
    if (!options.to) {
      while (srs::seriesFrequency(last, n) > rate / 10) --last;
    }
    int first = last - 10 * n;
    if (options.from) {
      first = srs::nearestSeriesIndex(*options.from, n);
    } else if (count && *count > 0) {
      // One cycle within the record, when that is above ten octaves down.
      const double oneCycle = rate / static_cast<double>(*count);
      while (first < last && srs::seriesFrequency(first, n) < oneCycle) ++first;
    }
    for (int k = first; k <= last; ++k) frequencies.push_back(srs::seriesFrequency(k, n));
  }
  const double nyquist = rate / 2;
  for (double f : frequencies) {
    if (f > nyquist) {
      throw UsageError("the natural frequency " + shownNumber(f) + " Hz is above half the sample rate (" +
                       shownNumber(nyquist) + " Hz): a record sampled at " + shownPlainNumber(rate) +
                       " per second cannot excite it; lower --to or the list");
    }
  }
  return frequencies;
}

std::vector<std::string> spectrumNotes(const std::vector<double>& frequencies, double rate, std::int64_t count,
                                       srs::PeakRule rule) {
  std::vector<std::string> notes;
  if (frequencies.empty()) return notes;
  const double highest = *std::max_element(frequencies.begin(), frequencies.end());
  const double lowest = *std::min_element(frequencies.begin(), frequencies.end());
  const auto few = std::count_if(frequencies.begin(), frequencies.end(), [&](double f) { return rate / f < 10; });
  if (few > 0 && rule == srs::PeakRule::Sampled) {
    const double ppc = rate / highest;
    const double shortfall = 1 - std::cos(3.141592653589793 / ppc);
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f", 100 * shortfall);
    notes.push_back(std::to_string(few) + " natural frequenc" + (few == 1 ? "y has" : "ies have") +
                    " fewer than 10 samples per cycle (" + shownNumber(std::round(ppc * 100) / 100) + " at " +
                    shownNumber(highest) + " Hz): a peak at the samples there may be low by up to " + percent +
                    " %; --peak continuous has no such shortfall");
  }
  const double duration = static_cast<double>(count) / rate;
  if (duration * lowest < 1) {
    notes.push_back("the record (" + shownNumber(duration) +
                    " s) is shorter than one cycle of the lowest natural frequency (" + shownNumber(lowest) +
                    " Hz): there the response has no time to build up during the record, and the residual decides");
  }
  return notes;
}

}  // namespace korvel::shock
