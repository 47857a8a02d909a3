#pragma once

// The oscillator's response between two samples: its envelope, and its true
// extremes within a step.

#include "srs/oscillator.h"

namespace korvel::srs {

// The envelope's square R^2 of the free part (h, w): |h| stays at or below R
// from then on.
inline double envelopeSquared(const StepConstants& c, double h, double w) {
  const double e = (w + c.zeta * h) * c.envelopeScale;
  return h * h + e * e;
}

// Whether the response's slope may change sign strictly between two samples,
// from the free part at the step's start (after the change of slope) and at
// its end (before the next), and the input's change over the step. The
// curvature (that of the free part, -Omega^2 (h + 2 zeta w)) changes sign at
// most once within a step, so the slope is monotonic, or rises then falls, or
// falls then rises: the slopes and curvatures at the two ends tell which, and
// whether the slope can cross zero.
inline bool mayTurnBetweenSamples(const StepConstants& c, double slope, double hStart, double wStart, double hEnd,
                                  double wEnd) {
  const double ownSlope = slope * c.inverseOmega;
  const double slopeStart = ownSlope + wStart;
  const double slopeEnd = ownSlope + wEnd;
  const bool concaveStart = hStart + 2.0 * c.zeta * wStart > 0;
  const bool concaveEnd = hEnd + 2.0 * c.zeta * wEnd > 0;
  if (concaveStart == concaveEnd) return (slopeStart > 0) != (slopeEnd > 0);
  if (concaveEnd) return slopeStart < 0 || slopeEnd < 0;  // rises, then falls
  return slopeStart > 0 || slopeEnd > 0;                  // falls, then rises
}

// The response over one step is y(u) = x0 + slope u + h p(u) + w q(u) for u in
// [0, 1], with (h, w) the free part at the step's start after the change of
// slope. Raises `positive` to its largest value and `negative` to its largest
// negative value (as a magnitude) strictly between the two samples.
void extremesBetweenSamples(const StepConstants& c, double x0, double slope, double h, double w, double& positive,
                            double& negative);

}  // namespace korvel::srs
