// The Windows build's sine against glibc's, on Linux: time per call over the
// angles of the full-window case (in plain doubles, and with the fused
// multiply-add where the processor has it), and how often each differs from the
// nearest double (GCC's 113-bit sinq rounded) on korvel's real angles and on random ones.
//
//   bench_sine

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <quadmath.h>

#include "platform/numbers/sine/correctly_rounded_sine.h"

namespace {

// The angles the synthesis takes the sine of: the carrier's and the envelope's.
std::vector<double> wavelet(double frequency, double samplesPerSecond, double duration) {
  std::vector<double> angles;
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  const double dt = 1.0 / samplesPerSecond;
  const double tend = 3 / (frequency + frequency);
  const int count = static_cast<int>(duration / dt);
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    if (!(0 < t && t < tend)) continue;
    const double angle = (t * twoPi) * frequency;
    angles.push_back(angle);
    angles.push_back(angle / 3);
  }
  return angles;
}

template <class Sine>
double nanosecondsPerCall(const std::vector<double>& angles, Sine sine) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    volatile double sink = 0;
    const auto start = std::chrono::steady_clock::now();
    double sum = 0;
    for (double x : angles) sum += sine(x);
    sink = sum;
    (void)sink;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best = std::min(best, seconds * 1e9 / static_cast<double>(angles.size()));
  }
  return best;
}

void agreement(const char* what, const std::vector<double>& angles) {
  long glibcMisses = 0;
  long ownMisses = 0;
  for (double x : angles) {
    const double nearest = static_cast<double>(sinq(static_cast<__float128>(x)));
    glibcMisses += std::sin(x) != nearest;
    ownMisses += korvel::sine_detail::sineOf<false>(x) != nearest;
    if (korvel::sine_detail::kHasFusedMultiplyAdd) ownMisses += korvel::sine_detail::fusedSine(x) != nearest;
  }
  std::printf("  %-44s %9zu angles: glibc misses the nearest double %6ld times (1 in %.0f), ours %ld\n", what,
              angles.size(), glibcMisses, glibcMisses ? static_cast<double>(angles.size()) / glibcMisses : 0.0,
              ownMisses);
}

}  // namespace

int main() {
  const std::vector<double> fullWindow = wavelet(0.0075, 10000, 200);
  std::printf("sine over the full-window case's %zu angles: glibc %.1f ns per call, ours %.1f ns in plain doubles",
              fullWindow.size(), nanosecondsPerCall(fullWindow, [](double x) { return std::sin(x); }),
              nanosecondsPerCall(fullWindow, [](double x) { return korvel::sine_detail::sineOf<false>(x); }));
  if (korvel::sine_detail::kHasFusedMultiplyAdd) {
    std::printf(", %.1f ns with the fused multiply-add",
                nanosecondsPerCall(fullWindow, korvel::sine_detail::fusedSine));
  }
  std::printf("\n");

  std::mt19937_64 generator(1);
  std::vector<double> random;
  for (double limit : {1.0, 250.0, 65536.0}) {
    std::uniform_real_distribution<double> uniform(-limit, limit);
    for (int i = 0; i < 1000000; ++i) random.push_back(uniform(generator));
  }
  agreement("full-window case (0.0075 Hz)", fullWindow);
  agreement("max case (10 Hz)", wavelet(10, 10000, 200));
  agreement("halfway case (10 Hz, 1024 per second)", wavelet(10, 1024, 0.2));
  agreement("random, |x| < 1, < 250 and < 65536", random);
  return 0;
}
