#include "preview/motion.h"

#include <cmath>
#include <limits>

namespace korvel {
namespace {

// The largest magnitude of a series and where it is; NaN never wins.
TimedValue peakOf(const double* time, const double* values, std::int32_t count) {
  TimedValue peak{0, count > 0 ? time[0] : 0};
  for (std::int32_t i = 0; i < count; ++i) {
    if (std::fabs(values[i]) > std::fabs(peak.value)) peak = {values[i], time[i]};
  }
  return peak;
}

}  // namespace

void integrateFromRest(const double* acceleration, std::int32_t count, double step, double scale, double* velocity,
                       double* displacement) {
  if (count <= 0) return;
  const double halfStep = step / 2;
  double previousAcceleration = acceleration[0] * scale;
  velocity[0] = 0;
  displacement[0] = 0;
  for (std::int32_t i = 1; i < count; ++i) {
    const double a = acceleration[i] * scale;
    velocity[i] = velocity[i - 1] + (previousAcceleration + a) * halfStep;
    displacement[i] = displacement[i - 1] + (velocity[i - 1] + velocity[i]) * halfStep;
    previousAcceleration = a;
  }
}

MotionFigures motionFigures(const double* time, const double* acceleration, const double* velocity,
                            const double* displacement, std::int32_t count) {
  MotionFigures figures;
  if (count <= 0) return figures;
  figures.peakAmplitude = peakOf(time, acceleration, count);
  figures.peakVelocity = peakOf(time, velocity, count);
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  TimedValue lowest{kInfinity, time[0]};
  TimedValue highest{-kInfinity, time[0]};
  for (std::int32_t i = 0; i < count; ++i) {
    if (displacement[i] < lowest.value) lowest = {displacement[i], time[i]};
    if (displacement[i] > highest.value) highest = {displacement[i], time[i]};
  }
  if (lowest.value <= highest.value) {  // else no displacement was a number
    figures.lowestDisplacement = lowest;
    figures.highestDisplacement = highest;
  } else {
    figures.lowestDisplacement = figures.highestDisplacement = {0, time[0]};
  }
  figures.endVelocity = velocity[count - 1];
  figures.endDisplacement = displacement[count - 1];
  return figures;
}

}  // namespace korvel
