#pragma once

// The motion a shaker table makes when it follows a time history as its
// acceleration from rest: velocity and displacement by the trapezoid rule, and
// the figures an engineer checks against the shaker's limits.

#include <cstdint>

namespace korvel {

// One g in m/s² (standard gravity): the scale for samples given in g.
inline constexpr double kStandardGravity = 9.80665;

// Integrates `count` samples taken every `step` seconds, each first multiplied
// by `scale`, from rest: velocity[0] = displacement[0] = 0, then
//   velocity[i] = velocity[i-1] + (a[i-1] + a[i]) * (step / 2)
// and displacement from velocity the same way.
void integrateFromRest(const double* acceleration, std::int32_t count, double step, double scale, double* velocity,
                       double* displacement);

// A value of a series and the time of the sample it was found at.
struct TimedValue {
  double value = 0;
  double time = 0;
};

struct MotionFigures {
  TimedValue peakAmplitude;  // the sample of largest magnitude, its sign kept (the first of equals)
  TimedValue peakVelocity;   // likewise
  TimedValue lowestDisplacement;
  TimedValue highestDisplacement;  // peak to peak: highest minus lowest
  double endVelocity = 0;          // what is left at the last sample
  double endDisplacement = 0;
};

// The figures of `count` samples; samples that are not a number are passed
// over. With no samples every figure is 0.
MotionFigures motionFigures(const double* time, const double* acceleration, const double* velocity,
                            const double* displacement, std::int32_t count);

}  // namespace korvel
