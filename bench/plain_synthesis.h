#pragma once

// The synthesis loop on one thread, as the baselines and the floor use it.

#include "calc/time_history.h"

namespace korvel::bench {

// Fills `history` for `params` (the duration check is left out: the cases pass it).
void plainSynthesis(const WaveletParams& params, TimeHistory& history);

}  // namespace korvel::bench
