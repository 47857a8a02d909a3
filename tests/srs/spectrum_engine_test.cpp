// The engine's edges: nothing in, nothing out; the same bits however a record
// is cut into blocks and whichever frequencies share the run; and a nearly
// undamped oscillator at half the sample rate, whose free decay the samples
// can miss altogether, still ends.

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "srs/spectrum_engine.h"
#include "tests/srs/test_records.h"

namespace korvel::srs {
namespace {

constexpr PeakRule kRules[] = {PeakRule::Sampled, PeakRule::Continuous};

std::vector<Peaks> spectrumOf(const std::vector<double>& record, const std::vector<double>& frequencies, double q,
                              PeakRule rule, std::size_t block) {
  SpectrumEngine spectrum(frequencies, kRecordRate, q, rule);
  for (std::size_t at = 0; at < record.size(); at += block) {
    spectrum.feed(record.data() + at, std::min(block, record.size() - at));
  }
  return spectrum.finish();
}

std::vector<std::uint64_t> bitsOf(const Peaks& p) {
  return {std::bit_cast<std::uint64_t>(p.maximax), std::bit_cast<std::uint64_t>(p.positive),
          std::bit_cast<std::uint64_t>(p.negative), std::bit_cast<std::uint64_t>(p.primary),
          std::bit_cast<std::uint64_t>(p.residual)};
}

TEST(SrsEngine, NothingInNothingOut) {
  for (PeakRule rule : kRules) {
    for (const std::vector<double>& record : {std::vector<double>{}, std::vector<double>(100, 0.0)}) {
      for (const Peaks& p : spectrumOf(record, kTestFrequencies, 10, rule, record.size() + 1)) {
        EXPECT_EQ(bitsOf(p), bitsOf(Peaks{})) << record.size() << " zeros";
      }
    }
  }
}

TEST(SrsEngine, SameBitsForAnyBlocksAndNeighbours) {
  for (const TestRecord& record : testRecords()) {
    for (PeakRule rule : kRules) {
      for (double q : {0.51, 1000.0}) {
        const std::vector<Peaks> whole = spectrumOf(record.samples, kTestFrequencies, q, rule, record.samples.size());
        for (std::size_t block : {1, 7, 333}) {
          const std::vector<Peaks> blocks = spectrumOf(record.samples, kTestFrequencies, q, rule, block);
          for (std::size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(bitsOf(blocks[i]), bitsOf(whole[i])) << record.name << " in blocks of " << block;
          }
        }
        for (std::size_t i = 0; i < whole.size(); ++i) {
          const Peaks alone = spectrumOf(record.samples, {kTestFrequencies[i]}, q, rule, 50)[0];
          EXPECT_EQ(bitsOf(alone), bitsOf(whole[i])) << record.name << " at " << kTestFrequencies[i] << " Hz alone";
        }
      }
    }
  }
}

// The free decay of a response beyond double precision is not followed forever.
TEST(SrsEngine, AnOverflowingResponseEndsAsInfinity) {
  const std::vector<double> huge = {1.7e308, -1.7e308, 1.7e308};
  for (const PeakRule rule : {PeakRule::Sampled, PeakRule::Continuous}) {
    EXPECT_FALSE(std::isfinite(spectrumOf(huge, {kRecordRate / 4}, 10, rule, 64)[0].maximax));
  }
}

TEST(SrsEngine, NearlyUndampedAtHalfTheSampleRateEnds) {
  const std::vector<double> impulse = {0.0, 1.0, 0.0};
  const Peaks sampled = spectrumOf(impulse, {kRecordRate / 2}, 1e6, PeakRule::Sampled, 64)[0];
  const Peaks continuous = spectrumOf(impulse, {kRecordRate / 2}, 1e6, PeakRule::Continuous, 64)[0];
  EXPECT_NEAR(sampled.maximax, 1.0, 1e-6);  // the samples sit on the decay's zeros
  EXPECT_LT(sampled.residual, 1e-6);
  EXPECT_GT(continuous.residual, 1.0);
}

}  // namespace
}  // namespace korvel::srs
