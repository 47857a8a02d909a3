#include "shock/shock_synthesis.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "calc/synthesis.h"
#include "platform/numbers/sine/correctly_rounded_sine.h"
#include "preview/motion.h"
#include "shock/parallel_spectrum.h"
#include "shock/shown_number.h"
#include "shock/srs_options.h"
#include "shock/steady_math.h"
#include "srs/frequency_series.h"

namespace korvel::shock {
namespace {

// The SRS at the wavelet's own frequency per unit amplitude (Q = 10), by
// half-sine count; between the rows it is taken as linear in the count.
constexpr double kCounts[] = {3, 5, 11, 21, 31, 61};
constexpr double kResponse[] = {2.47, 3.56, 5.88, 7.73, 8.62, 9.5};

double responsePerAmplitude(int halfSines) {
  const double n = halfSines;
  for (int k = 1; k < 6; ++k) {
    if (n <= kCounts[k]) {
      return kResponse[k - 1] +
             (kResponse[k] - kResponse[k - 1]) * (n - kCounts[k - 1]) / (kCounts[k] - kCounts[k - 1]);
    }
  }
  return kResponse[5];
}

// splitmix64: the delays' and signs' draws.
class Draws {
 public:
  explicit Draws(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1p-53; }  // [0, 1)

 private:
  std::uint64_t state_;
};

// The wavelets at unit amplitude on the record's grid, each exactly as korvel
// samples it ((sin a sin(a / N)) times the amplitude) but with the correctly
// rounded sine.
struct Layout {
  std::vector<int> halfSines;
  std::vector<double> delays;
  std::vector<double> signs;
  double duration = 0;
};

struct UnitWavelets {
  double rate = 0;
  int threads = 1;
  std::int32_t count = 0;
  std::vector<std::int32_t> first;
  std::vector<std::vector<double>> samples;
};

double endTime(double frequency, int halfSines, double delay) { return halfSines / (frequency + frequency) + delay; }

UnitWavelets unitWavelets(const std::vector<double>& frequencies, const Layout& layout, double rate, int threads) {
  UnitWavelets unit;
  unit.rate = rate;
  unit.threads = threads;
  for (std::size_t j = 0; j < frequencies.size(); ++j) {
    const SynthesisPlan plan =
        planSynthesis({1.0, frequencies[j], layout.halfSines[j], layout.delays[j], layout.duration, rate});
    unit.count = plan.count;
    std::int32_t begin = static_cast<std::int32_t>(plan.delay / plan.dt);
    begin = std::max<std::int32_t>(0, begin - 1);
    while (begin < plan.count && !(plan.delay < static_cast<double>(begin - 1) * plan.dt)) ++begin;
    std::vector<double> samples;
    std::int32_t i = begin;
    for (; i < plan.count; ++i) {
      const double t = static_cast<double>(i - 1) * plan.dt;
      if (!(t < plan.tend)) break;
      const double angle = ((t - plan.delay) * plan.twoPi) * plan.frequency;
      samples.push_back(correctlyRoundedSine(angle) * correctlyRoundedSine(angle / plan.halfSines));
    }
    unit.first.push_back(begin);
    unit.samples.push_back(std::move(samples));
  }
  return unit;
}

std::vector<double> record(const UnitWavelets& unit, const std::vector<double>& amplitudes) {
  std::vector<double> sum(static_cast<std::size_t>(unit.count), 0.0);
  for (std::size_t j = 0; j < amplitudes.size(); ++j) {
    double* into = sum.data() + unit.first[j];
    const double a = amplitudes[j];
    const std::vector<double>& s = unit.samples[j];
    for (std::size_t k = 0; k < s.size(); ++k) into[k] += s[k] * a;
  }
  return sum;
}

std::vector<double> spectrum(const std::vector<double>& samples, const std::vector<double>& frequencies, double rate,
                             double q, int threads) {
  ParallelSpectrum engines(frequencies, rate, q, srs::PeakRule::Sampled, threads);
  engines.feed(samples.data(), samples.size());
  std::vector<double> levels;
  for (const srs::Peaks& p : engines.finish()) levels.push_back(p.maximax);
  return levels;
}

struct Motion {
  double acceleration = 0, velocity = 0, displacement = 0;  // peak magnitudes: unit, m/s, mm
};

Motion motion(const std::vector<double>& samples, double rate, double unitScale) {
  const std::int32_t n = static_cast<std::int32_t>(samples.size());
  std::vector<double> v(samples.size()), d(samples.size());
  integrateFromRest(samples.data(), n, 1.0 / rate, unitScale, v.data(), d.data());
  Motion m;
  for (std::int32_t i = 0; i < n; ++i) {
    m.acceleration = std::max(m.acceleration, std::fabs(samples[i]));
    m.velocity = std::max(m.velocity, std::fabs(v[i]));
    m.displacement = std::max(m.displacement, std::fabs(d[i]) * 1000.0);
  }
  return m;
}

bool within(const Motion& m, const ShakerLimits& limits, double margin) {
  return (!limits.displacement || m.displacement <= *limits.displacement * margin) &&
         (!limits.velocity || m.velocity <= *limits.velocity * margin);
}

struct Fit {
  std::vector<double> amplitudes;
  double score = 0;  // the largest |error| against the aims, dB
  int iterations = 0;
};

// Amplitudes iterated towards the aims; the best iterate kept: the one
// with the smallest largest error among those within the stroke and
// velocity limits when there are any such (`limits` null: no limits).
Fit iterate(const UnitWavelets& unit, const std::vector<double>& frequencies, const std::vector<double>& aims,
            std::vector<double> amplitudes, double q, bool plain, int rounds, const ShakerLimits* limits = nullptr,
            double unitScale = 1) {
  Fit best;
  best.score = 1e300;
  bool bestWithin = false;
  double exponent = 1.0;
  double last = 1e300;
  for (int round = 0; round < rounds; ++round) {
    const std::vector<double> sum = record(unit, amplitudes);
    const std::vector<double> achieved = spectrum(sum, frequencies, unit.rate, q, unit.threads);
    const bool inside = limits && within(motion(sum, unit.rate, unitScale), *limits, 1.0);
    double score = 0;
    for (std::size_t j = 0; j < aims.size(); ++j) {
      score = std::max(score, std::fabs(steadyDecibels(achieved[j] / aims[j])));
    }
    ++best.iterations;
    if ((inside && !bestWithin) || (inside == bestWithin && score < best.score)) {
      best.score = score;
      best.amplitudes = amplitudes;
      bestWithin = inside;
    }
    if (score < 0.15 && (!limits || inside)) break;
    if (!plain) exponent = score > last ? std::max(0.3, exponent * 0.7) : std::min(1.0, exponent * 1.2);
    last = score;
    for (std::size_t j = 0; j < aims.size(); ++j) amplitudes[j] *= steadyPower(aims[j] / achieved[j], exponent);
  }
  return best;
}

// The largest odd count at most `wanted` whose wavelet fits within `longest` s.
int fittingCount(double frequency, int wanted, std::optional<double> longest) {
  int n = wanted;
  while (longest && n > 3 && !(n / (frequency + frequency) <= *longest)) n -= 2;
  return n;
}

Layout layoutFor(const std::vector<double>& frequencies, const std::vector<int>& counts, bool centred,
                 std::uint64_t seed) {
  Layout layout;
  layout.halfSines = counts;
  double longest = 0;
  for (std::size_t j = 0; j < frequencies.size(); ++j)
    longest = std::max(longest, endTime(frequencies[j], counts[j], 0));
  Draws draws(seed);
  for (std::size_t j = 0; j < frequencies.size(); ++j) {
    const double room = (longest - endTime(frequencies[j], counts[j], 0)) * (1 - 0x1p-40);
    const double u = draws.uniform();
    const bool negative = (draws.next() >> 63) != 0;
    layout.delays.push_back(centred ? room / 2 : room * u);
    layout.signs.push_back(centred || !negative ? 1.0 : -1.0);
  }
  for (std::size_t j = 0; j < frequencies.size(); ++j) {
    layout.duration = std::max(layout.duration, endTime(frequencies[j], counts[j], layout.delays[j]));
  }
  return layout;
}

std::vector<double> scaled(std::vector<double> amplitudes, const std::vector<double>& frequencies, double cutoff) {
  for (std::size_t j = 0; j < amplitudes.size(); ++j) {
    if (frequencies[j] < cutoff) {
      const double r = frequencies[j] / cutoff;
      amplitudes[j] *= r * r;
    }
  }
  return amplitudes;
}

// The lowest cut-off (on a log scale between the check points' ends) at which
// the sum keeps within the stroke and velocity limits.
double cutoffFor(const UnitWavelets& unit, const std::vector<double>& frequencies,
                 const std::vector<double>& amplitudes, const SynthesisSettings& settings, double margin) {
  double low = frequencies.front() * 0.5, high = frequencies.back() * 4;
  if (within(motion(record(unit, amplitudes), unit.rate, settings.unitScale), settings.limits, margin)) return 0;
  for (int step = 0; step < 40; ++step) {
    const double middle = std::sqrt(low * high);
    const bool ok = within(motion(record(unit, scaled(amplitudes, frequencies, middle)), unit.rate, settings.unitScale),
                           settings.limits, margin);
    (ok ? high : low) = middle;
  }
  return high;
}

struct Attempt {
  Layout layout;
  UnitWavelets unit;
  Fit fit;
  Motion motion;
};

Attempt attempt(const std::vector<double>& frequencies, const std::vector<double>& aims, const std::vector<int>& counts,
                const SynthesisSettings& settings, bool centred, bool plain, int rounds, std::uint64_t seed) {
  Attempt a;
  a.layout = layoutFor(frequencies, counts, centred, seed);
  a.unit = unitWavelets(frequencies, a.layout, settings.rate, synthesisThreads(settings));
  std::vector<double> start;
  for (std::size_t j = 0; j < aims.size(); ++j) {
    start.push_back(a.layout.signs[j] * aims[j] / responsePerAmplitude(counts[j]));
  }
  const bool limited = !plain && (settings.limits.displacement || settings.limits.velocity);
  a.fit = iterate(a.unit, frequencies, aims, start, settings.q, plain, rounds, limited ? &settings.limits : nullptr,
                  settings.unitScale);
  a.motion = motion(record(a.unit, a.fit.amplitudes), settings.rate, settings.unitScale);
  return a;
}

}  // namespace

int synthesisThreads(const SynthesisSettings& settings) {
  if (settings.threads > 0) return settings.threads;
  return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

std::vector<double> checkFrequencies(const SynthesisTarget& target, int fraction) {
  std::vector<double> points;
  const int from = srs::nearestSeriesIndex(target.lowest(), fraction);
  const int to = srs::nearestSeriesIndex(target.highest(), fraction);
  for (int k = from - 1; k <= to + 1; ++k) {
    const double f = srs::seriesFrequency(k, fraction);
    if (f >= target.lowest() && f <= target.highest()) points.push_back(f);
  }
  return points;
}

double roundRate(double highest) {
  double decade = 1;
  while (decade * 10 <= highest * 10) decade *= 10;
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (decade * m >= highest * 10) return decade * m;
  }
  return decade * 10;
}

ShockSynthesis synthesizeShock(const SynthesisTarget& target, const SynthesisSettings& settings) {
  ShockSynthesis result;
  result.checkFrequencies = checkFrequencies(target, settings.fraction);
  // A wavelet at each check point, and one at the series point beyond each
  // end where the target reaches past the outermost check point, so that the
  // spectrum does not fall away between that point and the breakpoint.
  std::vector<double> frequencies = result.checkFrequencies;
  if (!frequencies.empty()) {
    const int first = srs::nearestSeriesIndex(frequencies.front(), settings.fraction);
    const int last = srs::nearestSeriesIndex(frequencies.back(), settings.fraction);
    if (frequencies.front() > target.lowest())
      frequencies.insert(frequencies.begin(), srs::seriesFrequency(first - 1, settings.fraction));
    const double beyond = srs::seriesFrequency(last + 1, settings.fraction);
    if (frequencies.back() < target.highest() && beyond <= settings.rate / 2) frequencies.push_back(beyond);
  }
  if (frequencies.empty())
    throw UsageError("the target holds no check point of the 1/" + std::to_string(settings.fraction) +
                     "-octave series");
  if (result.checkFrequencies.back() > settings.rate / 2) {
    throw UsageError("--rate " + shownPlainNumber(settings.rate) + " is below twice the highest check point (" +
                     shownNumber(frequencies.back()) + " Hz)");
  }
  if (settings.longestDuration && !(3 / (frequencies.front() + frequencies.front()) <= *settings.longestDuration)) {
    throw UsageError("--duration " + shownNumber(*settings.longestDuration) +
                     " cannot hold a wavelet at the lowest check point (" + shownNumber(frequencies.front()) +
                     " Hz needs " + shownNumber(3 / (2 * frequencies.front())) + " s)");
  }
  const double middle = steadyRatio((settings.low + settings.high) / 2);
  std::vector<double> aims;
  for (double f : frequencies) aims.push_back(target.levelAt(f) * middle);
  const bool plain = settings.method == SynthesisMethod::PlainIteration;

  // Half-sine counts: 11, rising over the lowest two octaves to `lowEnd`.
  auto counts = [&](int lowEnd) {
    std::vector<int> n;
    for (double f : frequencies) {
      const double octaves = steadyLog(f / frequencies.front()) / steadyLog(2.0);
      const double share = std::max(0.0, 1.0 - octaves / 2.0);
      int wanted = 11 + 2 * static_cast<int>((lowEnd - 11) / 2 * share + 0.5);
      n.push_back(fittingCount(f, wanted, settings.longestDuration));
    }
    return n;
  };
  auto checkLength = [&](const Layout& layout) {
    if (layout.duration / (1.0 / settings.rate) >= 1999999.0) {
      throw UsageError("the wavelets need " + shownNumber(layout.duration) +
                       " s, more than 1,999,999 samples at --rate " + shownPlainNumber(settings.rate) +
                       ": give a lower --rate or a shorter --duration");
    }
  };

  Attempt best;
  if (plain) {
    // The record's length is checked before any of it is computed.
    checkLength(layoutFor(frequencies, counts(11), true, settings.seed));
    best = attempt(frequencies, aims, counts(11), settings, true, true, 50, settings.seed);
  } else {
    // First the wavelets centred on one another, which the ratio update
    // settles best; when that asks for more than the shaker allows, drawn
    // delays and signs (their displacements do not add up in step) with more
    // half-sines towards the low end, each tried briefly and the one that
    // needs the least stroke finished.
    const ShakerLimits& l = settings.limits;
    // Long records get fewer rounds, so that the whole stays within a few
    // hundred million oscillator steps (a count fixed by the sizes alone: the
    // same on every machine).
    const std::vector<int> centredCounts = counts(11);
    checkLength(layoutFor(frequencies, centredCounts, true, settings.seed));
    const double centredWork =
        static_cast<double>(frequencies.size()) * (endTime(frequencies[0], centredCounts[0], 0) * settings.rate);
    best = attempt(frequencies, aims, centredCounts, settings, true, false,
                   static_cast<int>(std::clamp(1.2e8 / centredWork, 8.0, 40.0)), settings.seed);
    auto meets = [&](const Attempt& a) {
      return within(a.motion, l, 1.0) && (!l.acceleration || a.motion.acceleration <= *l.acceleration);
    };
    if (!meets(best)) {
      std::optional<Attempt> drawn;
      std::vector<int> chosen;
      std::uint64_t chosenSeed = settings.seed;
      for (int lowEnd : {11, 21, 31, 41}) {
        const std::vector<int> n = counts(lowEnd);
        checkLength(layoutFor(frequencies, n, false, settings.seed));
        // Three draws where the record is short, one where it is long.
        const double work =
            static_cast<double>(frequencies.size()) * (endTime(frequencies[0], n[0], 0) * settings.rate);
        const int tries = work < 3e6 ? 3 : 1;
        for (int k = 0; k < tries && !(drawn && meets(*drawn)); ++k) {
          const std::uint64_t seed = settings.seed + static_cast<std::uint64_t>(k) * 0x2545f4914f6cdd1du;
          Attempt a = attempt(frequencies, aims, n, settings, false, false, 8, seed);
          const bool better = !drawn || a.motion.displacement < drawn->motion.displacement;
          if (better) drawn = std::move(a), chosen = n, chosenSeed = seed;
        }
        if (meets(*drawn)) break;
      }
      const double work = static_cast<double>(frequencies.size()) * (drawn->layout.duration * settings.rate);
      const int rounds = static_cast<int>(std::clamp(1.2e8 / work, 12.0, 40.0));
      Attempt a = attempt(frequencies, aims, chosen, settings, false, false, rounds, chosenSeed);
      // The centred layout stays when it meets more of the limits' needs.
      const bool strokeBound = l.displacement || l.velocity;
      if (!strokeBound || a.motion.displacement < best.motion.displacement)
        best = std::move(a);
      else if (l.acceleration && a.motion.acceleration < best.motion.acceleration)
        best = std::move(a);
    }
  }
  result.iterations = best.fit.iterations;
  result.neededDisplacement = best.motion.displacement;
  result.neededVelocity = best.motion.velocity;
  result.neededAcceleration = best.motion.acceleration;
  std::vector<double> amplitudes = best.fit.amplitudes;

  if (plain) {
    // Everything scaled down until every limit is met.
    double scale = 1;
    const ShakerLimits& l = settings.limits;
    if (l.displacement && best.motion.displacement > *l.displacement)
      scale = std::min(scale, *l.displacement / best.motion.displacement);
    if (l.velocity && best.motion.velocity > *l.velocity) scale = std::min(scale, *l.velocity / best.motion.velocity);
    if (l.acceleration && best.motion.acceleration > *l.acceleration)
      scale = std::min(scale, *l.acceleration / best.motion.acceleration);
    if (scale < 1) {
      scale *= 0.999;
      for (double& a : amplitudes) a *= scale;
      result.scale = scale;
    }
  } else if (!within(best.motion, settings.limits, 1.0)) {
    // The low end lowered below a cut-off, the rest iterated again to the
    // aims lowered the same way, and the cut-off found again on the result.
    const double cutoff = cutoffFor(best.unit, frequencies, amplitudes, settings, 0.97);
    std::vector<double> lowered = aims;
    for (std::size_t j = 0; j < aims.size(); ++j) {
      if (frequencies[j] < cutoff) lowered[j] *= (frequencies[j] / cutoff) * (frequencies[j] / cutoff);
    }
    const double work = static_cast<double>(frequencies.size()) * best.unit.count;
    const int rounds = static_cast<int>(std::clamp(0.6e8 / work, 8.0, 25.0));
    Fit again =
        iterate(best.unit, frequencies, lowered, scaled(amplitudes, frequencies, cutoff), settings.q, false, rounds);
    result.iterations += again.iterations;
    amplitudes = again.amplitudes;
    const double more = cutoffFor(best.unit, frequencies, amplitudes, settings, 0.995);
    if (more > 0) amplitudes = scaled(amplitudes, frequencies, more);
    result.cutoff = std::max(cutoff, more);
  }
  if (!plain && settings.limits.acceleration) {
    const double peak = motion(record(best.unit, amplitudes), settings.rate, settings.unitScale).acceleration;
    result.neededAcceleration = peak;
    if (peak > *settings.limits.acceleration) {
      result.scale = *settings.limits.acceleration / peak * 0.9995;
      for (double& a : amplitudes) a *= result.scale;
    }
  }

  for (std::size_t j = 0; j < frequencies.size(); ++j) {
    TableWavelet w;
    w.frequency = frequencies[j];
    w.amplitude = amplitudes[j];
    w.halfSines = best.layout.halfSines[j];
    w.delay = best.layout.delays[j];
    w.line = static_cast<long long>(j) + 2;
    result.wavelets.push_back(w);
  }
  result.duration = best.layout.duration;
  return result;
}

}  // namespace korvel::shock
