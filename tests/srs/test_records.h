#pragma once

// The records the spectrum's tests feed, sampled at 1 MHz: pulses, wavelets,
// a random record, a lone sample and an impulse.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace korvel::srs {

inline constexpr double kRecordRate = 1e6;

struct TestRecord {
  std::string name;
  std::vector<double> samples;
};

// Named in test listings by its name, not its bytes.
inline void PrintTo(const TestRecord& record, std::ostream* os) { *os << record.name; }

inline std::vector<TestRecord> testRecords() {
  const double pi = std::acos(-1.0);
  auto sampled = [](std::size_t count, auto f) {
    std::vector<double> samples(count);
    for (std::size_t k = 0; k < count; ++k) samples[k] = f(static_cast<double>(k));
    return samples;
  };
  // A wavelet of n half-sines of a 10 kHz carrier (50 samples each) under a half-sine envelope.
  auto wavelet = [&](int n) {
    const double length = 50.0 * n;
    return sampled(50 * n + 1, [=](double k) { return std::sin(pi * k / length) * std::sin(pi * n * k / length); });
  };
  std::mt19937_64 bits(24);
  std::vector<double> random(300);
  for (double& x : random) x = static_cast<double>(bits() >> 11) * 0x1p-52 - 1.0;
  return {
      {"HalfSine", sampled(401, [=](double k) { return 3.0 * std::sin(pi * k / 400.0); })},
      {"Rectangular", std::vector<double>(300, 1.0)},
      {"Wavelet3", wavelet(3)},
      {"Wavelet11", wavelet(11)},
      {"Random", random},
      {"LoneSample", {1.0}},
      {"Impulse", {0.0, 0.0, -2.0, 0.0, 0.0}},
  };
}

// From 100 000 samples per cycle (where the naive coefficients lose eight
// digits) to two, through the wavelets' own 10 kHz.
inline const std::vector<double> kTestFrequencies = {10.0, 1000.0, 10000.0, 37000.0, 100000.0, 333333.0, 500000.0};
inline const std::vector<double> kTestQs = {0.51, 2.0, 10.0, 50.0, 1000.0};

}  // namespace korvel::srs
