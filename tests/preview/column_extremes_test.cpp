// Reducing a long series to each pixel column's lowest and highest value.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "preview/column_extremes.h"

namespace korvel {
namespace {

struct Columns {
  std::vector<double> lowest, highest;
  Columns(const std::vector<double>& values, int columns) : lowest(columns), highest(columns) {
    reduceToColumns(values.data(), static_cast<std::int32_t>(values.size()), columns, lowest.data(), highest.data());
  }
};

TEST(ColumnExtremes, NeighboursShareASampleSoTheStrokesJoin) {
  // Six samples in three columns: {0,1,2}, {2,3,4}, {4,5}.
  const Columns c({10, 11, 12, 13, 14, 15}, 3);
  EXPECT_EQ(c.lowest, (std::vector<double>{10, 12, 14}));
  EXPECT_EQ(c.highest, (std::vector<double>{12, 14, 15}));
  // As many samples as columns: each column joins its sample to the next.
  const Columns one({3, 1, 2}, 3);
  EXPECT_EQ(one.lowest, (std::vector<double>{1, 1, 2}));
  EXPECT_EQ(one.highest, (std::vector<double>{3, 2, 2}));
}

TEST(ColumnExtremes, OneSpikeInTwoMillionSamplesIsKeptInItsColumn) {
  std::vector<double> values(1'999'999, 0.0);
  values[1'234'567] = 5;
  values[1'234'568] = -7;
  const Columns c(values, 800);
  const int column = static_cast<int>(1'234'567LL * 800 / 1'999'999);
  EXPECT_EQ(c.highest[column], 5);
  EXPECT_EQ(c.lowest[column], -7);
  int touched = 0;
  for (int i = 0; i < 800; ++i) touched += c.highest[i] != 0 || c.lowest[i] != 0;
  EXPECT_EQ(touched, 1);
}

TEST(ColumnExtremes, NotANumberIsPassedOver) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Columns c({nan, 4, nan, nan, nan, -inf, 1, 2}, 4);  // {0,1,2} {2,3,4} {4,5,6} {6,7}
  EXPECT_EQ(c.lowest[0], 4);
  EXPECT_EQ(c.highest[0], 4);
  EXPECT_TRUE(std::isnan(c.lowest[1]) && std::isnan(c.highest[1]));
  EXPECT_EQ(c.lowest[2], -inf);
  EXPECT_EQ(c.highest[2], 1);
  EXPECT_EQ(c.lowest[3], 1);
  EXPECT_EQ(c.highest[3], 2);
}

}  // namespace
}  // namespace korvel
