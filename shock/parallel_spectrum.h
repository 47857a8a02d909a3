#pragma once

// The spectrum engine on more than one processor: the natural frequencies
// shared among engines that follow each block side by side, while the caller
// reads the next block.

#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

#include "srs/spectrum_engine.h"

namespace korvel::shock {

class ParallelSpectrum {
 public:
  // `threads` engines (1 follows every block on the calling thread).
  ParallelSpectrum(const std::vector<double>& frequencies, double sampleRate, double q, srs::PeakRule rule,
                   int threads);
  ParallelSpectrum(const ParallelSpectrum&) = delete;
  ParallelSpectrum& operator=(const ParallelSpectrum&) = delete;
  ~ParallelSpectrum() { wait(); }

  // The next block; returns once the engines have started on it.
  void feed(const double* samples, std::size_t count);
  // The peaks in the frequencies' order.
  std::vector<srs::Peaks> finish();

 private:
  void wait();

  std::vector<std::unique_ptr<srs::SpectrumEngine>> engines_;
  std::vector<double> block_;
  std::vector<std::thread> workers_;
};

}  // namespace korvel::shock
