// The engine against the field's closed forms, with the continuous peak
// rule: the undamped residual spectrum of a half-sine pulse, the maximax of a
// rectangular pulse, and a steady sine at resonance, whose sampled peak falls
// short by up to 1 - cos(pi / samples per cycle).

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "srs/spectrum_engine.h"

namespace korvel::srs {
namespace {

const double kPi = std::acos(-1.0);

Peaks peaksOf(const std::vector<double>& record, double frequency, double rate, double q, PeakRule rule) {
  SpectrumEngine spectrum({frequency}, rate, q, rule);
  spectrum.feed(record.data(), record.size());
  return spectrum.finish()[0];
}

// Pulses of 10 ms at 100 kHz, amplitude 2, and nearly no damping (Q = 1e5):
// damping takes up to 2 pi zeta of the response per cycle of the pulse and of
// the first cycle after it, and the record's straight lines between samples
// (1000 to the pulse) about 1e-6.
constexpr double kPulseRate = 1e5;
constexpr int kPulseSamples = 1000;
constexpr double kPulseLength = kPulseSamples / kPulseRate;
constexpr double kAmplitude = 2.0;
constexpr double kLowDamping = 1e5;

double pulseTolerance(double cycles) { return kAmplitude * (2 * kPi / (2 * kLowDamping) * (cycles + 1) + 1e-5); }

// fn T across the spectrum, away from the half-sine's residual zeros (1.5, 2.5, ...).
const double kPulseCycles[] = {0.1, 0.3, 0.5, 0.81, 1.2, 2.0, 3.3};

TEST(SrsClosedForm, HalfSineResidualUndamped) {
  std::vector<double> pulse(kPulseSamples + 1);
  for (int k = 0; k <= kPulseSamples; ++k) pulse[k] = kAmplitude * std::sin(kPi * k / kPulseSamples);
  for (double cycles : kPulseCycles) {
    const double r = 1 / (2 * cycles);
    const double ratio = r == 1 ? kPi / 2 : std::abs(2 * r * std::cos(kPi / (2 * r)) / (1 - r * r));
    const Peaks p = peaksOf(pulse, cycles / kPulseLength, kPulseRate, kLowDamping, PeakRule::Continuous);
    EXPECT_NEAR(p.residual, kAmplitude * ratio, pulseTolerance(cycles)) << "fn T " << cycles;
  }
}

// The record's ramps of one step at each end make the pulse exactly 1000
// steps long at half its height.
TEST(SrsClosedForm, RectangularPulseMaximaxUndamped) {
  const std::vector<double> pulse(kPulseSamples, kAmplitude);
  for (double cycles : kPulseCycles) {
    const double want = cycles < 0.5 ? 2 * kAmplitude * std::sin(kPi * cycles) : 2 * kAmplitude;
    const Peaks p = peaksOf(pulse, cycles / kPulseLength, kPulseRate, kLowDamping, PeakRule::Continuous);
    EXPECT_NEAR(p.maximax, want, pulseTolerance(cycles)) << "fn tau " << cycles;
  }
}

// A sine at the natural frequency, long enough (pi cycles / Q > 15) for its
// build-up to have settled to 1e-6: the response's amplitude is
// A Q sqrt(1 + 1/Q^2) times sinc^2(pi / samples per cycle), what the straight
// lines between samples keep of the sine. The lines' images near the sample
// rate move the peak by up to 3e-5 at ten samples per cycle.
struct Resonance {
  double q;
  int samplesPerCycle;
  int cycles;
};
const Resonance kResonances[] = {{10, 1000, 60}, {50, 100, 250}, {2, 40, 15}, {200, 20, 1000}, {10, 10, 60}};

TEST(SrsClosedForm, SteadySineAtResonance) {
  constexpr double kRate = 1e6;
  for (const Resonance& row : kResonances) {
    const double frequency = kRate / row.samplesPerCycle;
    const double x = kPi / row.samplesPerCycle;
    const double steady = kAmplitude * row.q * std::sqrt(1 + 1 / (row.q * row.q)) * std::pow(std::sin(x) / x, 2);
    // The sampled peak's shortfall depends on where the samples fall on the
    // response's crest: the input's phase sweeps that over a step.
    double lowestShare = 1;
    for (int phase = 0; phase < 8; ++phase) {
      std::vector<double> sine(static_cast<std::size_t>(row.samplesPerCycle) * row.cycles);
      for (std::size_t k = 0; k < sine.size(); ++k) {
        sine[k] = kAmplitude * std::sin(2 * kPi * (static_cast<double>(k) + phase / 8.0) / row.samplesPerCycle);
      }
      const Peaks continuous = peaksOf(sine, frequency, kRate, row.q, PeakRule::Continuous);
      const Peaks sampled = peaksOf(sine, frequency, kRate, row.q, PeakRule::Sampled);
      EXPECT_NEAR(continuous.primary, steady, 3e-5 * steady)
          << "Q " << row.q << ", " << row.samplesPerCycle << " samples per cycle, phase " << phase;
      const double share = sampled.primary / continuous.primary;
      EXPECT_LE(share, 1.0);
      EXPECT_GE(share, std::cos(x) * (1 - 1e-4))
          << "Q " << row.q << ", " << row.samplesPerCycle << " samples per cycle";
      lowestShare = std::min(lowestShare, share);
    }
    // Crests half a step from the nearest sample within a sixteenth of a step.
    EXPECT_LE(lowestShare, std::cos(x * (1 - 1.0 / 8)) * (1 + 1e-4)) << row.samplesPerCycle << " samples per cycle";
  }
}

}  // namespace
}  // namespace korvel::srs
