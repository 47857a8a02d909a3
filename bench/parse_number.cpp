// The field reader's speed: ordinary field texts, and texts of millions of
// digits (the time should grow in proportion to the length).

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/number_text.h"

namespace {

double millisecondsFor(const std::string& text, int repeats, double& sink) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) sink += korvel::parseNumber(text);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / repeats;
}

}  // namespace

int main() {
  double sink = 0;
  const std::vector<std::string> ordinary = {
      "200", "0.2", "10", "1", "", "1.5d3", "-2.5e-3", "10000", "1.7976931348623157e308", "2.5abc"};
  constexpr int kRounds = 200'000;
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (const std::string& text : ordinary) sink += korvel::parseNumber(text);
  }
  const double total = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  std::printf("ordinary field texts: %.0f ns per text\n", total / (kRounds * ordinary.size()));

  std::printf("%12s %22s %22s\n", "digits", "0.000...1e+N (ms)", "777...7 (ms)");
  for (std::size_t length = 10'000; length <= 100'000'000; length *= 10) {
    const std::string shifted = "0." + std::string(length, '0') + "1e" + std::to_string(length + 1);
    const std::string sevens(length, '7');
    const int repeats = length <= 1'000'000 ? 20 : 2;
    const double a = millisecondsFor(shifted, repeats, sink);
    const double b = millisecondsFor(sevens, repeats, sink);
    std::printf("%12zu %22.3f %22.3f\n", length, a, b);
  }
  return sink == 12345.0;  // keeps the work from being optimised away
}
