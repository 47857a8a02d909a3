#include "shock/wavelet_sum.h"

#include <memory>

#include "calc/synthesis.h"
#include "calc/time_history_file.h"
#include "shock/record_text.h"
#include "shock/shown_number.h"
#include "shock/srs_options.h"

namespace korvel::shock {

WaveletSum sumWavelets(const std::vector<TableWavelet>& wavelets, double rate, double duration,
                       const std::string& source) {
  const double steps = duration / (1.0 / rate);
  if (steps >= kMaxSampleCount + 1.0) {
    throw UsageError("--duration " + shownNumber(duration) + " at --rate " + shownPlainNumber(rate) +
                     " holds more than 1,999,999 samples, the most a korvel file has");
  }
  // One wavelet at a time in korvel's own time history, then added in.
  const std::unique_ptr<TimeHistory> scratch(new TimeHistory);  // 32 MB, filled before it is read
  WaveletSum sum;
  for (std::size_t k = 0; k < wavelets.size(); ++k) {
    const TableWavelet& w = wavelets[k];
    const SynthesisPlan plan = planSynthesis({w.amplitude, w.frequency, w.halfSines, w.delay, duration, rate});
    if (plan.result.outcome != SynthesisResult::Ok) {
      throw RecordError(source + ":" + std::to_string(w.line) + ": the wavelet ends at " +
                        shownNumber(plan.result.recommendedDuration) + " s, after --duration " + shownNumber(duration));
    }
    if (plan.count == 0) throw UsageError("--duration and --rate leave no samples");
    fillSamples(plan, *scratch, 0, plan.count);
    if (k == 0) {
      sum.time.assign(scratch->time, scratch->time + plan.count);
      sum.amplitude.assign(scratch->amplitude, scratch->amplitude + plan.count);
    } else {
      for (std::int32_t i = 0; i < plan.count; ++i) sum.amplitude[i] += scratch->amplitude[i];
    }
  }
  return sum;
}

std::string timeHistoryText(const WaveletSum& sum) {
  std::string text;
  text.reserve(sum.time.size() * kRowLength);
  std::string row;
  for (std::size_t i = 0; i < sum.time.size(); ++i) {
    formatTimeHistoryRow(sum.time[i], sum.amplitude[i], row);
    text += row;
  }
  return text;
}

}  // namespace korvel::shock
