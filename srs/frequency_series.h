#pragma once

// The natural frequencies of a spectrum: the exact base-2 series
// 1000 * 2^(k / N) Hz of 1/N-octave bands.

#include <vector>

namespace korvel::srs {

// 1000 * 2^(k / bandsPerOctave), the nearest double, for any whole k; the
// same bits on every platform.
double seriesFrequency(int k, int bandsPerOctave);

// The series' index k whose frequency lies nearest `frequency` (> 0) on a
// logarithmic scale.
int nearestSeriesIndex(double frequency, int bandsPerOctave);

// The series from the point nearest `from` to the point nearest `to`, both
// included (from <= to, both above 0).
std::vector<double> frequencySeries(double from, double to, int bandsPerOctave);

}  // namespace korvel::srs
