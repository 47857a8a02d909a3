#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <thread>

#include "calc/time_history.h"

namespace korvel {

// The number of samples for a quotient duration / dt, truncated toward zero and
// kept within 0 .. kMaxSampleCount.
std::int32_t sampleCountFor(double quotient);

// What a synthesis does, decided before any sample is computed: the refusal, or
// the number of samples and the constants every sample is computed from.
struct SynthesisPlan {
  SynthesisResult result;
  std::int32_t count = 0;
  bool cut = false;  // the duration holds more steps than a record may: count is the cap
  double dt = 0;
  double twoPi = 0;
  double tend = 0;
  double delay = 0;
  double frequency = 0;
  double halfSines = 0;
  double amplitude = 0;
};
SynthesisPlan planSynthesis(const WaveletParams& params);

// Computes samples i in [begin, end) of an accepted plan; each depends on its index alone.
void fillSamples(const SynthesisPlan& plan, TimeHistory& history, std::int32_t begin, std::int32_t end);

// From this many samples on, a synthesis runs on a second thread.
inline constexpr std::int32_t kBackgroundThreshold = 1 << 16;

// Samples the wavelet into `history` and sets its count, or refuses when the
// duration cannot hold the whole wavelet (then `history` is left untouched).
// From kBackgroundThreshold samples on, the samples are filled on a second
// thread, in index order, while the caller uses the samples already done;
// fewer, or without a second thread, they are all filled in the constructor.
// The thread is joined at the latest on destruction, so every sample is in
// place once the object is gone.
class WaveletSynthesis {
 public:
  WaveletSynthesis(const WaveletParams& params, TimeHistory& history);
  WaveletSynthesis(const WaveletSynthesis&) = delete;
  WaveletSynthesis& operator=(const WaveletSynthesis&) = delete;
  ~WaveletSynthesis() { finish(); }

  // Ok, or the refusal and the duration the wavelet needs.
  const SynthesisResult& result() const { return plan_.result; }

  // Waits until more than `done` samples are ready; returns how many are.
  std::int32_t waitBeyond(std::int32_t done) const {
    std::int32_t ready = ready_.load(std::memory_order_acquire);
    if (ready > done || ready >= count_) return ready;
    // A mutex and condition rather than the atomic's own wait, whose
    // implementation without a futex (the Windows runtime's) can miss a wake-up.
    std::unique_lock lock(mutex_);
    published_.wait(lock, [&] {
      ready = ready_.load(std::memory_order_acquire);
      return ready > done || ready >= count_;
    });
    return ready;
  }
  // Waits until the thread has filled everything and ended.
  void finish() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  const SynthesisPlan plan_;
  const std::int32_t count_;
  std::atomic<std::int32_t> ready_{0};
  mutable std::mutex mutex_;
  mutable std::condition_variable published_;
  std::thread thread_;
};

}  // namespace korvel
