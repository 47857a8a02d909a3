#include "cli/notes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "calc/field_reading.h"
#include "calc/synthesis.h"
#include "cli/shown_text.h"
#include "platform/numbers/row_fields.h"
#include "platform/numbers/number_format.h"
#include "res/form_inputs.h"

namespace korvel::cli {
namespace {

// Six significant digits, as a reader wants them in a sentence.
std::string shortest(double value) {
  char text[kMaxNumberText];
  return std::string(text, formatGeneral(text, value, 6, 0));
}

// x * 10^shift in six significant digits, also where the product is beyond the
// largest double: its digits are x's with the exponent moved. x is finite.
std::string shortestScaled(double x, int shift) {
  const double product = x * std::pow(10.0, shift);
  if (std::isfinite(product)) return shortest(product);
  char text[kMaxNumberText];
  std::string mantissa(text, formatExponent(text, x, 5, 0));  // d.ddddde+XXX
  const auto e = mantissa.find('e');
  const int exponent = std::stoi(mantissa.substr(e + 1)) + shift;
  mantissa.erase(e);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + "e+" + std::to_string(exponent);
}

std::string timeColumnText(double time) {
  char text[kMaxNumberText];
  return std::string(text, formatTimeField(text, time) - text);
}

bool sameTimeText(double a, double b) {
  char first[16];
  char second[16];
  formatTimeField(first, a);
  formatTimeField(second, b);
  return std::memcmp(first, second, 14) == 0;
}

// The first row whose time prints in the time column as the row before's, or
// `count` when none does. Times are (i - 1) dt and print in units u of their
// seventh digit, u growing tenfold per decade. Where u is below dt, neighbours
// print at least a unit apart; where u is within 1e-8 of dt, the at most 2
// million rows of a record drift less than a fiftieth of a unit from one unit
// per row. So the rows before the first decade whose unit is coarser than the
// step are passed over by a binary search. From there on the rows are counted
// in units, t / u rounded, which is exact to a few billionths of a unit and so
// decides every row not that close to half a unit; those, and the rows near
// the ends of the decade, are compared as printed.
std::int32_t firstRowRepeatingTheTime(const TimeHistory& history) {
  const std::int32_t count = history.count;
  if (count < 3) return count;  // -dt and 0 print apart
  const double dt = history.time[2];
  const double step = dt * (1 + 1e-9);
  // Times from 10^decade on print in units of 10^(decade - 6).
  int decade = static_cast<int>(std::floor(std::log10(step))) + 5;
  while (std::pow(10.0, decade - 6) <= step) ++decade;
  // Less a margin for times that round up into the decade.
  const double from = std::pow(10.0, decade) * (1 - 1e-7);
  std::int32_t row =
      static_cast<std::int32_t>(std::lower_bound(history.time + 2, history.time + count, from) - history.time);

  const double unitsPerSecond = 1 / std::pow(10.0, decade - 6);
  const double countedFrom = std::pow(10.0, decade) * (1 + 1e-7);
  const double countedTo = std::pow(10.0, decade + 1) * (1 - 1e-7);
  // The number of units a time prints as, or -1 where the sum cannot tell.
  const auto unitsOf = [&](double time) {
    if (time < countedFrom || time >= countedTo) return -1.0;
    const double units = time * unitsPerSecond + 0.5;
    const double whole = std::floor(units);
    return units - whole > 1e-6 && units - whole < 1 - 1e-6 ? whole : -1.0;
  };
  double before = row < count ? unitsOf(history.time[row - 1]) : -1.0;
  for (; row < count; ++row) {
    const double units = unitsOf(history.time[row]);
    if (units >= 0 && before >= 0 ? units == before : sameTimeText(history.time[row - 1], history.time[row])) {
      return row;
    }
    before = units;
  }
  return count;
}

}  // namespace

std::vector<std::string> fieldTextNotes(const CliOptions& options) {
  std::vector<std::string> notes;
  for (const auto& [controlId, text] : options.fieldTexts) {
    const FieldReading reading = fieldReadingOf(text);
    const std::string option(res::formInput(controlId)->longOption);
    if (reading.kind == FieldReading::NoNumber) {
      notes.push_back(option + " \"" + shownText(text) + "\" was read as 0: it does not begin with a number");
    } else if (reading.kind == FieldReading::InPart) {
      notes.push_back(option + " \"" + shownText(text) + "\" was read as " + shortest(reading.value) +
                      ": the text after \"" + shownText(reading.number) + "\" is ignored");
    }
  }
  return notes;
}

std::vector<std::string> resultNotes(const WaveletParams& params, const TimeHistory& history) {
  std::vector<std::string> notes;
  if (history.count == 0) {
    notes.push_back("the file is empty: duration " + shortest(params.duration) + " s at " +
                    shortest(params.samplesPerSecond) + " samples per second gives no samples");
    return notes;
  }
  // The wavelet's content reaches f (1 + 1/N); ten samples per cycle of that
  // show its shape. Worked a tenth at a time, as these may pass the largest double.
  const double f = params.frequency;
  if (f > 0 && std::isfinite(f) && params.halfSineCount > 0) {
    const double tenthOfContent = f / 10.0 + f / (10.0 * params.halfSineCount);
    const double rate = params.samplesPerSecond;
    if (rate / 100.0 < tenthOfContent) {
      notes.push_back(
          "the sample rate " + shortest(rate) + " is low for this wavelet: its content reaches " +
          shortestScaled(tenthOfContent, 1) + " Hz; use at least " + shortestScaled(tenthOfContent, 2) +
          " samples per second to see its shape" +
          (rate / 20.0 < tenthOfContent ? " (below " + shortestScaled(2.0 * tenthOfContent, 1) + " it aliases)" : ""));
    }
  }
  if (const std::int32_t row = firstRowRepeatingTheTime(history); row < history.count) {
    notes.push_back("rows with equal times from" + timeColumnText(history.time[row]) + " s on (first at line " +
                    std::to_string(row + 1) + "): seven significant digits cannot tell neighbouring samples apart");
  }
  if (planSynthesis(params).cut) {
    notes.push_back("the record is cut at " + std::to_string(kMaxSampleCount) + " samples: it ends at" +
                    timeColumnText(history.time[history.count - 1]) + " s, short of the duration " +
                    shortest(params.duration) + " s");
  }
  return notes;
}

}  // namespace korvel::cli
