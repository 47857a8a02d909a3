#include "shock/parallel_spectrum.h"

#include <system_error>

namespace korvel::shock {

ParallelSpectrum::ParallelSpectrum(const std::vector<double>& frequencies, double sampleRate, double q,
                                   srs::PeakRule rule, int threads) {
  const std::size_t count =
      frequencies.empty() ? 1 : std::min<std::size_t>(threads < 1 ? 1 : threads, frequencies.size());
  // Every count-th frequency to each engine: each gets a share of the whole range.
  for (std::size_t e = 0; e < count; ++e) {
    std::vector<double> share;
    for (std::size_t i = e; i < frequencies.size(); i += count) share.push_back(frequencies[i]);
    engines_.push_back(std::make_unique<srs::SpectrumEngine>(share, sampleRate, q, rule));
  }
}

void ParallelSpectrum::wait() {
  for (std::thread& worker : workers_) worker.join();
  workers_.clear();
}

void ParallelSpectrum::feed(const double* samples, std::size_t count) {
  wait();
  block_.assign(samples, samples + count);
  if (engines_.size() == 1) {
    engines_[0]->feed(block_.data(), block_.size());
    return;
  }
  for (std::size_t e = 0; e < engines_.size(); ++e) {
    srs::SpectrumEngine* engine = engines_[e].get();
    try {
      workers_.emplace_back([this, engine] { engine->feed(block_.data(), block_.size()); });
    } catch (const std::system_error&) {
      // No thread to be had: this engine's share on the calling thread.
      engine->feed(block_.data(), block_.size());
    }
  }
}

std::vector<srs::Peaks> ParallelSpectrum::finish() {
  wait();
  std::vector<std::vector<srs::Peaks>> shares;
  std::size_t total = 0;
  for (auto& engine : engines_) {
    shares.push_back(engine->finish());
    total += shares.back().size();
  }
  std::vector<srs::Peaks> peaks(total);
  for (std::size_t e = 0; e < shares.size(); ++e) {
    for (std::size_t j = 0; j < shares[e].size(); ++j) peaks[j * shares.size() + e] = shares[e][j];
  }
  return peaks;
}

}  // namespace korvel::shock
