#include "srs/frequency_series.h"

#include <cmath>
#include <cstdlib>

namespace korvel::srs {
namespace {

// Numbers carried as an unevaluated sum of two doubles (about 106 bits), by
// the error-free sum and product of plain double arithmetic: the powers of
// two below come out as the nearest double to their exact value.
struct Pair {
  double high = 0;
  double low = 0;
};

Pair exactSum(double a, double b) {
  const double s = a + b;
  const double v = s - a;
  return {s, (a - (s - v)) + (b - v)};
}

// a * b as a pair, from Veltkamp's halves (no fused multiply-add).
Pair exactProduct(double a, double b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double p = a * b;
  const double ta = kSplit * a;
  const double ah = ta - (ta - a);
  const double al = a - ah;
  const double tb = kSplit * b;
  const double bh = tb - (tb - b);
  const double bl = b - bh;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

Pair add(Pair a, Pair b) {
  const Pair s = exactSum(a.high, b.high);
  return exactSum(s.high, s.low + (a.low + b.low));
}

Pair multiply(Pair a, Pair b) {
  const Pair p = exactProduct(a.high, b.high);
  return exactSum(p.high, p.low + (a.high * b.low + a.low * b.high));
}

Pair divide(Pair a, double b) {
  const double q = a.high / b;
  const Pair r = exactProduct(q, b);
  const double rest = ((a.high - r.high) - r.low + a.low) / b;
  return exactSum(q, rest);
}

// ln 2 as a pair.
constexpr Pair kLn2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

// e^r for 0 <= r < ln 2, by its Taylor series in pairs.
Pair exponential(Pair r) {
  Pair sum = {1.0, 0.0};
  Pair term = {1.0, 0.0};
  for (int n = 1; n < 40; ++n) {
    term = divide(multiply(term, r), n);
    sum = add(sum, term);
    if (std::abs(term.high) < 0x1p-110) break;
  }
  return sum;
}

// The whole octaves and the rest: k = octaves * N + rest, 0 <= rest < N.
void splitIndex(int k, int bandsPerOctave, int& octaves, int& rest) {
  octaves = k / bandsPerOctave;
  rest = k % bandsPerOctave;
  if (rest < 0) {
    rest += bandsPerOctave;
    --octaves;
  }
}

}  // namespace

double seriesFrequency(int k, int bandsPerOctave) {
  int octaves = 0;
  int rest = 0;
  splitIndex(k, bandsPerOctave, octaves, rest);
  const Pair power = exponential(divide(multiply(kLn2, {static_cast<double>(rest), 0.0}), bandsPerOctave));
  const Pair scaled = multiply(power, {1000.0, 0.0});
  return std::ldexp(scaled.high + scaled.low, octaves);
}

int nearestSeriesIndex(double frequency, int bandsPerOctave) {
  // A first guess from the logarithm, then the neighbour that is nearer on a
  // logarithmic scale, decided by exact series points: the same on every platform.
  int k = static_cast<int>(std::floor(std::log2(frequency / 1000.0) * bandsPerOctave));
  while (seriesFrequency(k, bandsPerOctave) > frequency) --k;
  while (seriesFrequency(k + 1, bandsPerOctave) <= frequency) ++k;
  // Between f(k) and f(k+1): nearer on a log scale means frequency^2 against f(k) f(k+1).
  const double below = seriesFrequency(k, bandsPerOctave);
  const double above = seriesFrequency(k + 1, bandsPerOctave);
  return frequency / below <= above / frequency ? k : k + 1;
}

std::vector<double> frequencySeries(double from, double to, int bandsPerOctave) {
  std::vector<double> series;
  const int first = nearestSeriesIndex(from, bandsPerOctave);
  const int last = nearestSeriesIndex(to, bandsPerOctave);
  for (int k = first; k <= last; ++k) series.push_back(seriesFrequency(k, bandsPerOctave));
  return series;
}

}  // namespace korvel::srs
