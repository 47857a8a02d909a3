#pragma once

// Drawing a long series in a picture a few hundred pixels wide: each pixel
// column gets the lowest and highest of the samples that fall in it, so two
// million samples draw as quickly as a thousand and no peak is lost between
// pixels.

#include <cstdint>

namespace korvel {

// Spreads `count` evenly spaced samples over `columns` columns: column c takes
// samples floor(c * count / columns) up to and including the first sample of
// column c + 1 (the last column up to the last sample), so neighbouring
// columns share a sample and their strokes join into one line. Writes each
// column's lowest and highest value; values that are not a number are passed
// over, and a column holding only such values gets NaN for both.
// Needs count >= columns >= 1.
void reduceToColumns(const double* values, std::int32_t count, std::int32_t columns, double* lowest, double* highest);

}  // namespace korvel
