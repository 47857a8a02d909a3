#include "preview/column_extremes.h"

#include <cmath>
#include <limits>

namespace korvel {

void reduceToColumns(const double* values, std::int32_t count, std::int32_t columns, double* lowest, double* highest) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::int32_t begin = 0;
  for (std::int32_t c = 0; c < columns; ++c) {
    const auto next = static_cast<std::int32_t>(static_cast<std::int64_t>(c + 1) * count / columns);
    const std::int32_t last = next < count ? next : count - 1;  // the next column's first sample
    double low = kNaN;
    double high = kNaN;
    for (std::int32_t i = begin; i <= last; ++i) {
      const double v = values[i];
      if (std::isnan(v)) continue;
      if (!(v >= low)) low = v;  // also the column's first number, while low is NaN
      if (!(v <= high)) high = v;
    }
    lowest[c] = low;
    highest[c] = high;
    begin = next;
  }
}

}  // namespace korvel
