// Writes a long record to standard output, one amplitude a line, for reading
// from a pipe: COUNT samples of 3 Hz to 30 kHz tone bursts at 1,000,000 per second
// (a fresh burst every 0.1 s), each as the shortest text that reads back.
//
//   bench_record_stream COUNT

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const long long count = argc > 1 ? std::atoll(argv[1]) : 0;
  constexpr double kRate = 1e6;
  constexpr double kPi = 3.141592653589793;
  static char buffer[1 << 20];
  std::size_t used = 0;
  for (long long i = 0; i < count; ++i) {
    const long long burst = i / 100000;
    const double t = static_cast<double>(i % 100000) / kRate;
    const double frequency = 3 * std::pow(10.0, static_cast<double>(burst % 5));
    const double x = t < 0.05 ? std::sin(2 * kPi * frequency * t) * std::sin(kPi * t / 0.05) : 0.0;
    if (used + 32 > sizeof buffer) {
      std::fwrite(buffer, 1, used, stdout);
      used = 0;
    }
    used = static_cast<std::size_t>(std::to_chars(buffer + used, buffer + sizeof buffer, x).ptr - buffer);
    buffer[used++] = '\n';
  }
  std::fwrite(buffer, 1, used, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
