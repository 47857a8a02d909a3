// The correctly rounded sine gives the nearest double to sin x, and the same
// bits on every platform and either way of evaluating it (plain doubles, and the
// fused multiply-add where the processor has it): Linux holds each value to a
// 113-bit reference; every platform holds a digest of the same sweep to the one
// Linux checked.

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "platform/numbers/sine/correctly_rounded_sine.h"
#include "platform/numbers/sine/multiword_sine.h"
#ifdef KORVEL_EXACT_SINE_REFERENCE
#include <quadmath.h>
#endif

namespace korvel {
namespace {

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

struct Evaluation {
  const char* name;
  double (*sine)(double);
};

// The ways this processor evaluates the sine; the program takes the last.
std::vector<Evaluation> evaluations() {
  std::vector<Evaluation> all = {{"plain", [](double x) { return sine_detail::sineOf<false>(x); }}};
  if (sine_detail::kHasFusedMultiplyAdd) all.push_back({"fused", sine_detail::fusedSine});
  return all;
}

// The edges of each way of computing it, with the nearest double to the sine.
struct KnownSine {
  double x;
  double sine;
};
constexpr KnownSine kKnownSines[] = {
    {0.0, 0.0},
    {-0.0, -0.0},
    {0x1p-1074, 0x1p-1074},  // the smallest subnormal
    {-0x1p-1022, -0x1p-1022},
    {-0x1.fffffffffffffp-27, -0x1.fffffffffffffp-27},  // the angle itself below 2^-26
    {0x1p-26, 0x1p-26},
    {0x1.921fb54442d18p+0, 0x1p+0},                 // pi/2: exactly 1, a power of two
    {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53},  // pi: a zero crossing
    {-0x1.921fb54442d18p+2, 0x1.1a62633145c07p-52},
    {0x1.5d59fd0a43582p+7, -0x1.e66e56c8ed8ebp-1},
    {0x1.fffffffffffffp+15, 0x1.62566735c3dddp-1},  // the last angle reduced in doubles
    {0x1p+16, 0x1.62566735b8513p-1},                // the first reduced in many words
    {1e22, -0x1.b453ab76bf397p-1},
    {std::numeric_limits<double>::max(), 0x1.452fc98b34e97p-8},
};

TEST(CorrectlyRoundedSine, KnownAnglesAndEdges) {
  std::vector<Evaluation> all = evaluations();
  all.push_back({"many-word", multiwordSine});
  all.push_back({"as called", correctlyRoundedSine});
  for (const Evaluation& evaluation : all) {
    for (const KnownSine& known : kKnownSines) {
      EXPECT_EQ(bitsOf(evaluation.sine(known.x)), bitsOf(known.sine))
          << evaluation.name << std::hexfloat << " " << known.x;
    }
    for (double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
      EXPECT_TRUE(std::isnan(evaluation.sine(x))) << evaluation.name << " " << x;
    }
  }
}

// Angles of every size: uniform in ranges up to 2^16 (the fast reduction),
// angles as the synthesis makes them for the benchmark's largest files, and
// random bit patterns (mostly huge angles, reduced in many words).
std::vector<double> sweepAngles() {
  std::vector<double> angles;
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  auto next = [&state] {  // SplitMix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  };
  for (double limit : {0x1p-20, 0.8, 4.0, 250.0, 0x1p16}) {
    for (int i = 0; i < 40000; ++i) {
      const double unit = static_cast<double>(next() >> 11) * 0x1p-53;
      angles.push_back((unit + unit - 1) * limit);
    }
  }
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  for (double frequency : {10.0, 0.0075}) {
    for (int i = 0; i < 1999999; i += 13) {
      const double t = static_cast<double>(i - 1) * (1.0 / 10000);
      if (!(0 < t && t < 3 / (frequency + frequency))) continue;
      const double angle = (t * twoPi) * frequency;
      angles.push_back(angle);
      angles.push_back(angle / 3);
    }
  }
  for (int i = 0; i < 20000; ++i) {
    const double x = std::bit_cast<double>(next());
    if (std::isfinite(x)) angles.push_back(x);
  }
  return angles;
}

TEST(CorrectlyRoundedSine, SweepGivesTheNearestDoubleOnEveryPlatform) {
  const std::vector<double> angles = sweepAngles();
#ifdef KORVEL_EXACT_SINE_REFERENCE
  std::vector<double> nearest;
  for (double x : angles) nearest.push_back(static_cast<double>(sinq(static_cast<__float128>(x))));
#endif
  for (const Evaluation& evaluation : evaluations()) {
    std::uint64_t digest = 1469598103934665603ull;  // FNV-1a over the results' bits
    int wrong = 0;
    for (std::size_t i = 0; i < angles.size(); ++i) {
      const double sine = evaluation.sine(angles[i]);
      for (int shift = 0; shift < 64; shift += 8)
        digest = (digest ^ ((bitsOf(sine) >> shift) & 0xFF)) * 1099511628211ull;
#ifdef KORVEL_EXACT_SINE_REFERENCE
      if (bitsOf(sine) != bitsOf(nearest[i]) && ++wrong <= 5) {
        ADD_FAILURE() << evaluation.name << std::hexfloat << ": sin " << angles[i] << " gave " << sine << ", nearest "
                      << nearest[i];
      }
#endif
    }
    EXPECT_EQ(wrong, 0) << evaluation.name;
    EXPECT_EQ(digest, 3052989553795200041u) << evaluation.name;
  }
}

}  // namespace
}  // namespace korvel
