#include "tests/support/slow_reference.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/numbers/sine/sine.h"

namespace korvel::testing {
namespace {

std::string padded(std::string body, int width) {
  if (static_cast<int>(body.size()) < width) body.insert(0, static_cast<std::size_t>(width) - body.size(), ' ');
  return body;
}

std::string nonFinite(double value) {
  return std::string(std::signbit(value) ? "-" : "") + (std::isnan(value) ? "nan" : "inf");
}

// The magnitude's digits cut to `significant` with a half-up first dropped
// digit, from the C library's correctly rounded 17 digits.
std::string cutDigits(double magnitude, int significant, int& exponent) {
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.16e", magnitude);
  const std::string digits = std::string(1, exact[0]) + std::string(exact + 2, 16);
  exponent = magnitude == 0 ? 0 : std::atoi(std::strchr(exact, 'e') + 1);
  std::string kept = digits.substr(0, static_cast<std::size_t>(significant));
  if (significant < 17 && digits[static_cast<std::size_t>(significant)] >= '5') {
    int i = significant - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++exponent;
    } else {
      ++kept[static_cast<std::size_t>(i)];
    }
  }
  return kept;
}

std::string exponentTail(int exponent) {
  char tail[16];
  std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return tail;
}

}  // namespace

std::string referenceExponent(double value, int precision, int width) {
  if (!std::isfinite(value)) return padded(nonFinite(value), width);
  int exponent = 0;
  const std::string kept = cutDigits(std::fabs(value), precision + 1, exponent);
  return padded(std::string(std::signbit(value) ? "-" : "") + kept.substr(0, 1) + (precision > 0 ? "." : "") +
                    kept.substr(1) + exponentTail(exponent),
                width);
}

std::string referenceGeneral(double value, int precision, int width) {
  if (!std::isfinite(value)) return padded(nonFinite(value), width);
  const int significant = precision == 0 ? 1 : precision;
  int exponent = 0;
  const std::string kept = cutDigits(std::fabs(value), significant, exponent);
  std::string body;
  if (exponent < -4 || exponent >= significant) {
    std::string fraction = kept.substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    body = kept.substr(0, 1) + (fraction.empty() ? "" : "." + fraction) + exponentTail(exponent);
  } else {
    // Plain decimal: place the point among the digits, then drop trailing zeros.
    std::string all = exponent >= 0 ? kept : std::string(static_cast<std::size_t>(-exponent), '0') + kept;
    const std::size_t point = exponent >= 0 ? static_cast<std::size_t>(exponent) + 1 : 1;
    std::string whole = all.substr(0, point);
    std::string fraction = all.substr(point);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    body = whole + (fraction.empty() ? "" : "." + fraction);
  }
  return padded((std::signbit(value) ? "-" : "") + body, width);
}

ReferenceNumber referenceParse(const std::string& text) {
  // The grammar, read left to right: blanks, a sign, digits with at most one
  // point (at least one digit), an exponent with at least one digit. A plain
  // scan, so that texts of millions of digits need no deep stack.
  // The grammar is about ASCII; a zero byte ends a C string, and so the field.
  const std::string asText(text.c_str());
  const auto digitsFrom = [&](std::size_t at) {
    while (at < asText.size() && asText[at] >= '0' && asText[at] <= '9') ++at;
    return at;
  };
  std::size_t end = asText.find_first_not_of(" \t\n\v\f\r");
  if (end == std::string::npos) return {0.0, 0};
  if (asText[end] == '+' || asText[end] == '-') ++end;
  const std::size_t wholeEnd = digitsFrom(end);
  bool digits = wholeEnd > end;
  end = wholeEnd;
  if (end < asText.size() && asText[end] == '.') {
    const std::size_t fractionEnd = digitsFrom(end + 1);
    if (digits || fractionEnd > end + 1) end = fractionEnd, digits = true;
  }
  if (!digits) return {0.0, 0};
  if (end < asText.size() && std::strchr("eEdD", asText[end]) != nullptr) {
    std::size_t exponent = end + 1;
    if (exponent < asText.size() && (asText[exponent] == '+' || asText[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = digitsFrom(exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }
  std::string prefix = asText.substr(0, end);
  for (char& c : prefix) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return {std::strtod(prefix.c_str(), nullptr), prefix.size()};
}

void referenceSynthesis(const WaveletParams& p, TimeHistory& history) {
  const double dt = 1.0 / p.samplesPerSecond;
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  const double quotient = p.duration / dt;
  std::int32_t count = 0;
  if (std::isfinite(quotient) && quotient > 0)
    count = quotient >= 1'999'999 ? 1'999'999 : static_cast<std::int32_t>(quotient);
  const double tend = p.halfSineCount / (p.frequency + p.frequency) + p.delay;
  for (std::int32_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    history.time[i] = t;
    history.amplitude[i] = 0.0;
    if (p.delay < t && t < tend) {
      const double angle = ((t - p.delay) * twoPi) * p.frequency;
      history.amplitude[i] = (sine(angle) * sine(angle / p.halfSineCount)) * p.amplitude;
    }
  }
  history.count = count;
}

}  // namespace korvel::testing
