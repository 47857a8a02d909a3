// The 1/N-octave series 1000 * 2^(k / N) Hz: exact at whole octaves, the
// nearest double elsewhere (on Linux, against GCC's 113-bit powers of two), and
// the index nearest a frequency.

#include <cmath>

#include <gtest/gtest.h>

#include "srs/frequency_series.h"
#ifdef KORVEL_QUAD_REFERENCE
#include <quadmath.h>
#endif

namespace korvel::srs {
namespace {

TEST(SrsFrequencySeries, OctavesExactlyAndEveryPointNearest) {
  for (int n : {1, 3, 6, 12, 24}) {
    EXPECT_EQ(seriesFrequency(0, n), 1000.0);
    EXPECT_EQ(seriesFrequency(n, n), 2000.0);
    EXPECT_EQ(seriesFrequency(-n, n), 500.0);
    EXPECT_EQ(seriesFrequency(-10 * n, n), 1000.0 / 1024);
    for (int k = -14 * n; k <= 7 * n; ++k) {
      const double f = seriesFrequency(k, n);
      EXPECT_EQ(nearestSeriesIndex(f, n), k) << k << "/" << n;
      EXPECT_EQ(nearestSeriesIndex(f * (1 + 1e-9), n), k) << k << "/" << n;
      EXPECT_EQ(nearestSeriesIndex(f * (1 - 1e-9), n), k) << k << "/" << n;
#ifdef KORVEL_QUAD_REFERENCE
      const __float128 power = 1000 * exp2q(static_cast<__float128>(k) / n);
      EXPECT_EQ(f, static_cast<double>(power)) << k << "/" << n;
#endif
    }
  }
  // Nearer on a logarithmic scale: just below and above the geometric mean of two neighbours.
  const double between = std::sqrt(seriesFrequency(4, 12) * seriesFrequency(5, 12));
  EXPECT_EQ(nearestSeriesIndex(between * (1 - 1e-12), 12), 4);
  EXPECT_EQ(nearestSeriesIndex(between * (1 + 1e-12), 12), 5);
}

TEST(SrsFrequencySeries, TwelfthOctavesFrom10HzTo10kHz) {
  const std::vector<double> series = frequencySeries(10, 10000, 12);
  ASSERT_EQ(series.size(), 121u);
  EXPECT_EQ(series.front(), seriesFrequency(-80, 12));
  EXPECT_EQ(series[80], 1000.0);
  EXPECT_EQ(series.back(), seriesFrequency(40, 12));
}

}  // namespace
}  // namespace korvel::srs
