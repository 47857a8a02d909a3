// The synthesis may share its index range between threads, or run beside the
// writing: the arrays must hold exactly what one plain pass over the indices
// gives, bit for bit, and every sample published as ready must already be there.

#include <cmath>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "calc/synthesis.h"

namespace korvel {
namespace {

void plainPass(const WaveletParams& p, TimeHistory& history) {
  const double dt = 1.0 / p.samplesPerSecond;
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  const std::int32_t count = sampleCountFor(p.duration / dt);
  const double tend = waveletEndTime(p);
  for (std::int32_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    history.time[i] = t;
    history.amplitude[i] = 0.0;
    if (p.delay < t && t < tend) {
      const double angle = ((t - p.delay) * twoPi) * p.frequency;
      history.amplitude[i] = (std::sin(angle) * std::sin(angle / p.halfSineCount)) * p.amplitude;
    }
  }
  history.count = count;
}

TEST(SplitSynthesisTest, MatchesOnePlainPassBitForBit) {
  const WaveletParams cases[] = {
      {1, 10, 3, 0, 200, 10000},        // the largest file, a short wavelet at its start
      {1, 0.0075, 3, 0, 200, 10000},    // the wavelet over the whole record
      {-2.5, 0.02, 23, 70, 1000, 1e4},  // window across the split point; count capped
      {0, 0.02, 5, 1, 130, 1001},       // amplitude 0: negative zeros inside the window
      {1, 10, 3, 0, 6.5535, 10000},     // just below the size that starts a second thread
  };
  auto expected = std::make_unique<TimeHistory>();
  auto actual = std::make_unique<TimeHistory>();
  for (const WaveletParams& p : cases) {
    SCOPED_TRACE(testing::Message() << "frequency " << p.frequency << ", duration " << p.duration);
    plainPass(p, *expected);
    ASSERT_EQ(synthesizeWavelet(p, *actual).outcome, SynthesisResult::Ok);
    ASSERT_EQ(actual->count, expected->count);
    const std::size_t bytes = sizeof(double) * static_cast<std::size_t>(expected->count);
    EXPECT_EQ(std::memcmp(actual->time, expected->time, bytes), 0);
    EXPECT_EQ(std::memcmp(actual->amplitude, expected->amplitude, bytes), 0);

    // The same samples from a thread that publishes them in index order, read while it runs.
    const SynthesisPlan plan = planSynthesis(p);
    ASSERT_EQ(plan.count, expected->count);
    std::memset(actual->time, 0xA5, bytes);
    std::memset(actual->amplitude, 0xA5, bytes);
    BackgroundSynthesis background(plan, *actual);
    std::int32_t done = 0;
    bool samePrefix = true;
    while (done < plan.count) {
      const std::int32_t ready = background.waitBeyond(done);
      ASSERT_GT(ready, done);
      ASSERT_LE(ready, plan.count);
      const std::size_t part = sizeof(double) * static_cast<std::size_t>(ready - done);
      samePrefix = samePrefix && std::memcmp(actual->time + done, expected->time + done, part) == 0 &&
                   std::memcmp(actual->amplitude + done, expected->amplitude + done, part) == 0;
      done = ready;
    }
    background.finish();
    EXPECT_TRUE(samePrefix);
  }
}

TEST(SplitSynthesisTest, PlanRefusesAShortDurationAndPlansNothing) {
  const SynthesisPlan plan = planSynthesis({1, 10, 3, 0, 0.1, 100});
  EXPECT_EQ(plan.result.outcome, SynthesisResult::DurationTooShort);
  EXPECT_EQ(plan.result.recommendedDuration, 0.15);
  EXPECT_EQ(plan.count, 0);
}

}  // namespace
}  // namespace korvel
