#pragma once

// The page's picture, recomputed on every change of an input: the wavelet
// sampled as the file would hold it, the velocity and displacement of a shaker
// following it from rest, their figures, and each series reduced to the
// picture's pixel columns.

#include <cstdint>
#include <memory>
#include <string>

#include "calc/time_history.h"
#include "preview/motion.h"

namespace korvel::web {

enum class PreviewSeries { Amplitude = 0, Velocity = 1, Displacement = 2 };
inline constexpr int kSeriesCount = 3;
inline constexpr std::int32_t kMaxColumns = 8192;

class PagePreview {
 public:
  // Samples the wavelet into the process's time history and integrates it,
  // the samples multiplied by `scale` (kStandardGravity for samples in g).
  // False when the duration is too short: then warning() says so and there
  // is nothing to draw. With the same inputs as last time nothing is computed
  // again (a new scale integrates again), so a picture of two million samples
  // is redrawn quickly after a change of units or of the window's size.
  bool update(CalculationUi& form, double scale);
  // Someone else has sampled into the time history: the next update samples again.
  void forget() { sampled_ = false; }
  // Each series' lowest and highest value per pixel column, for `columns`
  // columns or as many as there can be (kMaxColumns, and at most the sample
  // count); returns how many there are.
  std::int32_t reduce(std::int32_t columns);

  std::int32_t count() const { return count_; }
  const double* time() const { return timeHistory.time; }
  const double* series(PreviewSeries which) const;
  const double* lowest(PreviewSeries which) const { return columnBounds(which, 0); }
  const double* highest(PreviewSeries which) const { return columnBounds(which, 1); }
  const MotionFigures& figures() const { return figures_; }
  const std::string& warning() const { return warning_; }

 private:
  // A series' lowest (bound 0) or highest (bound 1) values per column.
  double* columnBounds(PreviewSeries which, int bound) const {
    return columns_.get() + (2 * static_cast<int>(which) + bound) * kMaxColumns;
  }

  std::int32_t count_ = 0;
  bool sampled_ = false;  // the time history holds the samples of `params_`
  WaveletParams params_;
  double scale_ = 0;  // velocity and displacement are of the samples times this
  std::unique_ptr<double[]> velocity_ = std::make_unique<double[]>(kMaxSamples);
  std::unique_ptr<double[]> displacement_ = std::make_unique<double[]>(kMaxSamples);
  std::unique_ptr<double[]> columns_ = std::make_unique<double[]>(2 * kSeriesCount * kMaxColumns);
  MotionFigures figures_;
  std::string warning_;
};

}  // namespace korvel::web
