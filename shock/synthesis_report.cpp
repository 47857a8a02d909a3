#include "shock/synthesis_report.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "shock/parallel_spectrum.h"
#include "shock/record_text.h"
#include "shock/shown_number.h"
#include "shock/steady_math.h"
#include "srs/frequency_series.h"

namespace korvel::shock {
namespace {

std::string signedDb(double db) {
  std::string text = db >= 0 ? "+" : "";
  text += roundedNumber(db, 3);
  text += " dB";
  return text;
}

double errorDb(double achieved, double target) {
  if (!(achieved > 0)) return -999;
  return steadyDecibels(achieved / target);
}

// The check points outside the band as runs of neighbours: "10 to 14.1 Hz
// (down to -4.2 dB)".
std::string misses(const SynthesisMeasure& m, const SynthesisSettings& s) {
  std::string text;
  std::size_t j = 0;
  int runs = 0;
  while (j < m.frequencies.size()) {
    const bool low = m.errors[j]<s.low, high = m.errors[j]> s.high;
    if (!low && !high) {
      ++j;
      continue;
    }
    std::size_t k = j;
    double worst = m.errors[j];
    while (k + 1 < m.frequencies.size() && ((low && m.errors[k + 1] < s.low) || (high && m.errors[k + 1] > s.high))) {
      ++k;
      worst = low ? std::min(worst, m.errors[k]) : std::max(worst, m.errors[k]);
    }
    if (runs++ < 6) {
      text += (text.empty() ? "" : "; ") + roundedNumber(m.frequencies[j], 4) +
              (k > j ? " to " + roundedNumber(m.frequencies[k], 4) : std::string()) + " Hz " +
              (low ? "below" : "above") + " the band (" + signedDb(worst) + ")";
    }
    j = k + 1;
  }
  if (runs > 6) text += "; and " + std::to_string(runs - 6) + " more";
  return text;
}

}  // namespace

std::string roundedNumber(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return shownNumber(value);
  const double size = std::fabs(value);
  int exponent = 0;
  double power = 1;
  while (size >= power * 10) power *= 10, ++exponent;
  while (size < power) power /= 10, --exponent;
  const int decimals = digits - 1 - exponent;
  double scale = 1;
  for (int k = 0; k < (decimals >= 0 ? decimals : -decimals); ++k) scale *= 10;
  const double rounded = decimals >= 0 ? std::round(value * scale) / scale : std::round(value / scale) * scale;
  return shownNumber(rounded);
}

SynthesisMeasure measureSynthesis(const std::string& fileText, const SynthesisTarget& target,
                                  const std::vector<double>& checkFrequencies, const SynthesisSettings& settings) {
  SynthesisMeasure m;
  m.frequencies = checkFrequencies;
  for (int k = srs::nearestSeriesIndex(target.lowest(), 48) - 1; k <= srs::nearestSeriesIndex(target.highest(), 48) + 1;
       ++k) {
    const double f = srs::seriesFrequency(k, 48);
    if (f >= target.lowest() && f <= target.highest()) m.fineFrequencies.push_back(f);
  }
  std::vector<double> all = m.frequencies;
  all.insert(all.end(), m.fineFrequencies.begin(), m.fineFrequencies.end());
  std::unique_ptr<ParallelSpectrum> spectrum;
  RecordText record(
      "the synthesised record", std::nullopt,
      [&](double rate, std::optional<std::int64_t>) {
        m.rate = rate;
        spectrum = std::make_unique<ParallelSpectrum>(all, rate, settings.q, srs::PeakRule::Sampled,
                                                      synthesisThreads(settings));
      },
      [&](const double* samples, std::size_t count) {
        spectrum->feed(samples, count);
        m.acceleration.insert(m.acceleration.end(), samples, samples + count);
      });
  record.read(fileText.data(), fileText.size());
  record.end();
  const std::vector<srs::Peaks> peaks = spectrum->finish();
  for (std::size_t j = 0; j < all.size(); ++j) {
    const bool check = j < m.frequencies.size();
    const double t = target.levelAt(all[j]);
    (check ? m.target : m.fineTarget).push_back(t);
    (check ? m.achieved : m.fineAchieved).push_back(peaks[j].maximax);
    (check ? m.errors : m.fineErrors).push_back(errorDb(peaks[j].maximax, t));
  }
  const std::int32_t n = static_cast<std::int32_t>(m.acceleration.size());
  m.velocity.resize(m.acceleration.size());
  m.displacement.resize(m.acceleration.size());
  const double step = 1.0 / m.rate;
  for (std::int32_t i = 0; i < n; ++i) m.time.push_back(static_cast<double>(i - 1) * step);
  integrateFromRest(m.acceleration.data(), n, step, settings.unitScale, m.velocity.data(), m.displacement.data());
  m.figures = motionFigures(m.time.data(), m.acceleration.data(), m.velocity.data(), m.displacement.data(), n);
  return m;
}

std::string synthesisReport(const SynthesisMeasure& m, const ShockSynthesis& synthesis, const SynthesisSettings& s,
                            const std::string& unit, std::string& summary, SynthesisVerdict& verdict) {
  std::string csv = "frequency_hz,target,achieved,error_db,within\n";
  int inside = 0;
  for (std::size_t j = 0; j < m.frequencies.size(); ++j) {
    const bool ok = m.errors[j] >= s.low && m.errors[j] <= s.high;
    inside += ok;
    csv += shownNumber(m.frequencies[j]) + "," + shownNumber(m.target[j]) + "," + shownNumber(m.achieved[j]) + "," +
           roundedNumber(m.errors[j], 3) + "," + (ok ? "yes" : "no") + "\n";
  }
  verdict.withinBand = inside == static_cast<int>(m.frequencies.size());

  std::vector<std::string> lines;
  auto extremes = [&](const std::vector<double>& f, const std::vector<double>& e) {
    const auto lo = std::min_element(e.begin(), e.end()) - e.begin();
    const auto hi = std::max_element(e.begin(), e.end()) - e.begin();
    return signedDb(e[lo]) + " at " + roundedNumber(f[lo], 4) + " Hz, " + signedDb(e[hi]) + " at " +
           roundedNumber(f[hi], 4) + " Hz";
  };
  const std::string band = roundedNumber(s.low, 3) + "/+" + roundedNumber(s.high, 3) + " dB";
  lines.push_back("check points: " + std::to_string(m.frequencies.size()) + " at 1/" + std::to_string(s.fraction) +
                  " octave, " + roundedNumber(m.frequencies.front(), 4) + " to " +
                  roundedNumber(m.frequencies.back(), 4) + " Hz; " + std::to_string(inside) + " within " + band +
                  " (Q = " + shownNumber(s.q) + ")");
  lines.push_back("largest errors: " + extremes(m.frequencies, m.errors));
  lines.push_back("largest errors at 1/48 octave: " + extremes(m.fineFrequencies, m.fineErrors));
  if (!verdict.withinBand) lines.push_back("outside the band: " + misses(m, s));

  const double peakA = std::fabs(m.figures.peakAmplitude.value);
  const double peakV = std::fabs(m.figures.peakVelocity.value);
  const double peakD =
      std::max(std::fabs(m.figures.lowestDisplacement.value), std::fabs(m.figures.highestDisplacement.value)) * 1000;
  auto limitLine = [&](const std::string& what, double peak, const std::optional<double>& limit,
                       const std::string& units) {
    std::string line = "peak " + what + ": " + roundedNumber(peak, 4) + " " + units;
    if (limit) {
      const bool ok = peak <= *limit;
      verdict.withinLimits = verdict.withinLimits && ok;
      line += ok ? " (limit " + shownNumber(*limit) + " " + units + ", met)"
                 : " (limit " + shownNumber(*limit) + " " + units + ": EXCEEDED)";
    }
    lines.push_back(line);
  };
  limitLine("acceleration", peakA, s.limits.acceleration, unit);
  limitLine("velocity", peakV, s.limits.velocity, "m/s");
  limitLine("displacement", peakD, s.limits.displacement, "mm");
  lines.push_back("at the end: velocity " + roundedNumber(m.figures.endVelocity, 3) + " m/s, displacement " +
                  roundedNumber(m.figures.endDisplacement * 1000, 3) + " mm");
  lines.push_back("duration: " + roundedNumber(synthesis.duration, 4) + " s, " + std::to_string(m.acceleration.size()) +
                  " samples at " + shownPlainNumber(m.rate) + " per second, " + std::to_string(synthesis.wavelets.size()) +
                  " wavelets");

  if (synthesis.cutoff > 0) {
    std::string which;
    if (s.limits.displacement && synthesis.neededDisplacement > *s.limits.displacement) which = "stroke";
    if (s.limits.velocity && synthesis.neededVelocity > *s.limits.velocity)
      which += which.empty() ? "velocity" : " and velocity";
    if (which.empty()) which = "stroke or velocity";
    // The lowest frequency from which every check point up is met.
    std::size_t from = m.frequencies.size();
    while (from > 0 && m.errors[from - 1] >= s.low && m.errors[from - 1] <= s.high) --from;
    std::string line = "the " + which + " limit binds: the target needs about " +
                       roundedNumber(synthesis.neededDisplacement, 3) + " mm of stroke and " +
                       roundedNumber(synthesis.neededVelocity, 3) + " m/s; the low end was lowered below " +
                       roundedNumber(synthesis.cutoff, 4) + " Hz";
    if (from < m.frequencies.size())
      line += ", and the target is met from " + roundedNumber(m.frequencies[from], 4) + " Hz up";
    lines.push_back(line);
  }
  if (synthesis.scale < 1) {
    if (s.method == SynthesisMethod::PlainIteration) {
      lines.push_back("the limits bind: every amplitude was scaled by " + roundedNumber(synthesis.scale, 4) +
                      " (the fit's peaks: " + roundedNumber(synthesis.neededAcceleration, 4) + " " + unit + ", " +
                      roundedNumber(synthesis.neededVelocity, 3) + " m/s, " +
                      roundedNumber(synthesis.neededDisplacement, 3) + " mm)");
    } else {
      lines.push_back("the acceleration limit binds: every amplitude was scaled by " +
                      roundedNumber(synthesis.scale, 4) +
                      " (the fit's peak: " + roundedNumber(synthesis.neededAcceleration, 4) + " " + unit + ")");
    }
  }
  lines.push_back("korvel-shock sum TABLE --rate " + shownPlainNumber(m.rate) + " --duration " +
                  shownNumber(synthesis.duration) + " writes the same file from the table");
  lines.push_back(verdict.withinBand && verdict.withinLimits
                      ? "result: within the band and the limits"
                      : std::string("result: NOT ") + (verdict.withinBand     ? "within the limits"
                                                       : verdict.withinLimits ? "within the band"
                                                                              : "within the band nor the limits"));
  for (const std::string& line : lines) {
    csv += "# " + line + "\n";
    summary += line + "\n";
  }
  return csv;
}

}  // namespace korvel::shock
