#include "cli/notes.h"

#include <cmath>
#include <string_view>

#include "calc/number_text.h"
#include "cli/shown_text.h"
#include "platform/number_format.h"

namespace korvel::cli {
namespace {

// Six significant digits, as a reader wants them in a sentence.
std::string shortest(double value) {
  char text[kMaxNumberText];
  return std::string(text, formatGeneral(text, value, 6, 0));
}

bool onlyBlanks(std::string_view text) {
  return text.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
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
  return std::string(text, formatExponent(text, time, 6, 14));
}

}  // namespace

std::vector<std::string> fieldTextNotes(const CliOptions& options) {
  std::vector<std::string> notes;
  for (const auto& [controlId, text] : options.fieldTexts) {
    const LeadingNumber number = readLeadingNumber(text);
    const std::string& option = options.optionNames.at(controlId);
    if (number.length == 0 && !onlyBlanks(text)) {
      notes.push_back(option + " \"" + shownText(text) + "\" was read as 0: it does not begin with a number");
    } else if (number.length > 0 && !onlyBlanks(std::string_view(text).substr(number.length))) {
      notes.push_back(option + " \"" + shownText(text) + "\" was read as " + shortest(number.value) +
                      ": the text after \"" + shownText(text.substr(0, number.length)) + "\" is ignored");
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
      notes.push_back("the sample rate " + shortest(rate) + " is low for this wavelet: its content reaches " +
                      shortestScaled(tenthOfContent, 1) + " Hz; use at least " + shortestScaled(tenthOfContent, 2) +
                      " samples per second to see its shape" +
                      (rate / 20.0 < tenthOfContent ? " (below " + shortestScaled(2.0 * tenthOfContent, 1) +
                                                          " it aliases)"
                                                    : ""));
    }
  }
  if (history.count >= 2) {
    const std::string last = timeColumnText(history.time[history.count - 1]);
    if (last == timeColumnText(history.time[history.count - 2])) {
      notes.push_back("rows with equal times: at" + last +
                      " s seven significant digits cannot tell neighbouring samples apart");
    }
  }
  return notes;
}

}  // namespace korvel::cli
