// The sampled wavelet: grid, window, refusal and the sample count's limits.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "calc/synthesis.h"
#include "tests/support/slow_reference.h"

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

WaveletParams workedExample() { return {1.0, 10.0, 3, 0.0, 0.2, 100.0}; }

class SynthesisTest : public ::testing::Test {
 protected:
  std::unique_ptr<TimeHistory> history = std::make_unique<TimeHistory>();
};

TEST_F(SynthesisTest, WorkedExampleSamplesTheWavelet) {
  ASSERT_EQ(WaveletSynthesis(workedExample(), *history).result().outcome, SynthesisResult::Ok);
  ASSERT_EQ(history->count, 20);
  EXPECT_EQ(history->time[0], -0.01);
  EXPECT_EQ(history->time[1], 0.0);
  EXPECT_EQ(history->time[19], 18 * 0.01);
  const struct {
    int index;
    double amplitude;
  } samples[] = {{2, 0.12221}, {4, 0.55902}, {8, -0.94585}, {9, -0.94585}, {15, 0.12221}};
  for (const auto& s : samples) EXPECT_NEAR(history->amplitude[s.index], s.amplitude, 5e-6) << s.index;
  // Outside the window (t <= 0, t >= 0.15) exactly zero; carrier zero crossings only nearly.
  for (int i : {0, 1, 16, 17, 18, 19}) EXPECT_EQ(history->amplitude[i], 0.0) << i;
  EXPECT_NE(history->amplitude[6], 0.0);
  EXPECT_LT(std::fabs(history->amplitude[6]), 1e-15);
}

TEST_F(SynthesisTest, DurationCheck) {
  WaveletParams params = workedExample();
  params.duration = 0.1;
  history->count = 7;
  history->time[0] = 42;
  const SynthesisResult refused = WaveletSynthesis(params, *history).result();
  EXPECT_EQ(refused.outcome, SynthesisResult::DurationTooShort);
  EXPECT_EQ(refused.recommendedDuration, 0.15);
  EXPECT_EQ(history->count, 7);  // untouched
  EXPECT_EQ(history->time[0], 42);

  params.duration = 0.15;  // exactly the end time
  EXPECT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok);

  params.duration = std::nan("");
  EXPECT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::DurationTooShort);

  params = workedExample();
  params.frequency = 0;  // infinite end time refuses every finite duration
  EXPECT_EQ(WaveletSynthesis(params, *history).result().recommendedDuration, kInf);
}

TEST_F(SynthesisTest, SampleCount) {
  const struct {
    double duration;
    double rate;
    int count;
  } cases[] = {
      {0.3, 10, 2},  // 0.3 / 0.1 is just below 3
      {1000, 10000, 1'999'999},
      {1e300, 10000, 1'999'999},
      {1e6, 1e300, 1'999'999},  // beyond a 32-bit integer
      {kInf, 100, 0},           // an infinite quotient gives none
      {1, 0, 0},                // rate 0: dt infinite
      {1, -100, 0},
      {0.2, 100, 20},
  };
  for (const auto& c : cases) {
    WaveletParams params = workedExample();
    params.duration = c.duration;
    params.samplesPerSecond = c.rate;
    ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok) << c.duration;
    EXPECT_EQ(history->count, c.count) << c.duration << " s at " << c.rate;
  }
  EXPECT_EQ(sampleCountFor(std::nan("")), 0);
  EXPECT_EQ(sampleCountFor(-0.5), 0);
  EXPECT_EQ(sampleCountFor(1999998.9), 1999998);
}

TEST_F(SynthesisTest, WindowEdgesAreStrict) {
  // At 40 samples per second the grid holds t = 0.05 (the delay) and t = 0.2 (the end).
  WaveletParams params{2.0, 10.0, 3, 0.05, 0.5, 40.0};
  ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok);
  ASSERT_EQ(history->time[3], 0.05);
  EXPECT_EQ(history->amplitude[3], 0.0);
  ASSERT_EQ(history->time[9], 0.2);
  EXPECT_EQ(history->amplitude[9], 0.0);
  EXPECT_NE(history->amplitude[4], 0.0);
}

TEST_F(SynthesisTest, ShorterWaveletClearsTheOldOne) {
  WaveletParams params{1.0, 1.0, 23, 0.0, 20.0, 100.0};
  ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok);
  params.halfSineCount = 3;
  ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok);
  for (int i = 0; i < history->count; ++i) {
    if (history->time[i] >= 1.5) {
      ASSERT_EQ(history->amplitude[i], 0.0) << i;
    }
  }
}

TEST_F(SynthesisTest, DegenerateFrequencies) {
  // -0 makes the end time minus infinity: accepted, every amplitude zero. So does a negative frequency.
  for (double frequency : {-0.0, -10.0}) {
    WaveletParams params{1.0, frequency, 3, 0.0, 0.2, 100.0};
    ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok) << frequency;
    ASSERT_EQ(history->count, 20);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(history->amplitude[i], 0.0) << frequency << " at " << i;
  }
}

TEST_F(SynthesisTest, ZeroAmplitudeGivesNegativeZerosWhereTheSineProductIsNegative) {
  WaveletParams params = workedExample();
  params.amplitude = 0;
  ASSERT_EQ(WaveletSynthesis(params, *history).result().outcome, SynthesisResult::Ok);
  EXPECT_TRUE(std::signbit(history->amplitude[8]));
  EXPECT_FALSE(std::signbit(history->amplitude[2]));
}

// Beside the writing or at once, the arrays hold exactly what one plain pass
// over the indices gives, bit for bit, and every sample published as ready is
// already there.
TEST(SynthesisRunTest, MatchesOnePlainPassBitForBit) {
  const WaveletParams cases[] = {
      {1, 10, 3, 0, 200, 10000},        // the largest file, a short wavelet at its start
      {1, 0.0075, 3, 0, 200, 10000},    // the wavelet over the whole record
      {-2.5, 0.02, 23, 70, 1000, 1e4},  // window across the middle; count capped
      {0, 0.02, 5, 1, 130, 1001},       // amplitude 0: negative zeros inside the window
      {1, 10, 3, 0, 6.5535, 10000},     // just below the size that starts a second thread
  };
  auto expected = std::make_unique<TimeHistory>();
  auto actual = std::make_unique<TimeHistory>();
  for (const WaveletParams& p : cases) {
    SCOPED_TRACE(::testing::Message() << "frequency " << p.frequency << ", duration " << p.duration);
    testing::referenceSynthesis(p, *expected);
    ASSERT_EQ(WaveletSynthesis(p, *actual).result().outcome, SynthesisResult::Ok);
    ASSERT_EQ(actual->count, expected->count);
    const std::size_t bytes = sizeof(double) * static_cast<std::size_t>(expected->count);
    EXPECT_EQ(std::memcmp(actual->time, expected->time, bytes), 0);
    EXPECT_EQ(std::memcmp(actual->amplitude, expected->amplitude, bytes), 0);

    // The same samples read while they are filled, as each is published in index order.
    const std::int32_t count = expected->count;
    std::memset(actual->time, 0xA5, bytes);
    std::memset(actual->amplitude, 0xA5, bytes);
    WaveletSynthesis background(p, *actual);
    std::int32_t done = 0;
    bool samePrefix = true;
    while (done < count) {
      const std::int32_t ready = background.waitBeyond(done);
      ASSERT_GT(ready, done);
      ASSERT_LE(ready, count);
      const std::size_t part = sizeof(double) * static_cast<std::size_t>(ready - done);
      samePrefix = samePrefix && std::memcmp(actual->time + done, expected->time + done, part) == 0 &&
                   std::memcmp(actual->amplitude + done, expected->amplitude + done, part) == 0;
      done = ready;
    }
    background.finish();
    EXPECT_TRUE(samePrefix);
  }
}

TEST(SynthesisRunTest, PlanRefusesAShortDurationAndPlansNothing) {
  const SynthesisPlan plan = planSynthesis({1, 10, 3, 0, 0.1, 100});
  EXPECT_EQ(plan.result.outcome, SynthesisResult::DurationTooShort);
  EXPECT_EQ(plan.result.recommendedDuration, 0.15);
  EXPECT_EQ(plan.count, 0);
}

}  // namespace
}  // namespace korvel
