#pragma once

#include "calc/time_history.h"

namespace korvel {

// Samples the wavelet into `history`, or refuses when the duration cannot hold
// the whole wavelet (then `history` is left untouched).
SynthesisResult synthesizeWavelet(const WaveletParams& params, TimeHistory& history);

// The wavelet's end time: N / (f + f) + delay.
double waveletEndTime(const WaveletParams& params);

// The number of samples for a quotient duration / dt, truncated toward zero and
// kept within 0 .. kMaxSampleCount.
std::int32_t sampleCountFor(double quotient);

}  // namespace korvel
