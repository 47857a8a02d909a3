#include "shock/synthesis_target.h"

#include <cmath>

#include <fast_float/fast_float.h>

#include "shock/record_text.h"
#include "shock/shown_number.h"
#include "shock/steady_math.h"

namespace korvel::shock {
namespace {

bool separator(char c) { return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\r'; }

// The line's fields, split at commas, semicolons or blanks.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> found;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && separator(line[i])) {
      // Two commas in a row leave an empty field between them.
      if (line[i] == ',' || line[i] == ';') {
        std::size_t j = i + 1;
        while (j < line.size() && (line[j] == ' ' || line[j] == '\t')) ++j;
        if (j < line.size() && (line[j] == ',' || line[j] == ';')) found.emplace_back();
      }
      ++i;
    }
    if (i >= line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !separator(line[i])) ++i;
    found.push_back(line.substr(start, i - start));
  }
  return found;
}

bool readNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto read = fast_float::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && read.ec == std::errc() && read.ptr == text.data() + text.size();
}

}  // namespace

double SynthesisTarget::levelAt(double frequency) const {
  std::size_t k = 1;
  while (k + 1 < breakpoints_.size() && breakpoints_[k].frequency < frequency) ++k;
  const TargetBreakpoint& a = breakpoints_[k - 1];
  const TargetBreakpoint& b = breakpoints_[k];
  if (frequency == a.frequency) return a.level;
  if (frequency == b.frequency) return b.level;
  const double slope = steadyLog(b.level / a.level) / steadyLog(b.frequency / a.frequency);
  return a.level * steadyPower(frequency / a.frequency, slope);
}

SynthesisTarget readSynthesisTarget(std::string_view text, const std::string& source) {
  std::vector<TargetBreakpoint> points;
  long long number = 0;
  bool headerAllowed = true;
  auto fail = [&](const std::string& what) { throw RecordError(source + ":" + std::to_string(number) + ": " + what); };
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    ++number;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const std::vector<std::string_view> items = fields(line);
    if (items.empty()) continue;
    double values[2] = {};
    const bool numeric = items.size() == 2 && readNumber(items[0], values[0]) && readNumber(items[1], values[1]);
    if (!numeric) {
      double first = 0;
      // A header: the first line with text, none of its fields a number.
      bool anyNumber = false;
      for (std::string_view item : items) anyNumber = anyNumber || readNumber(item, first);
      if (headerAllowed && !anyNumber) {
        headerAllowed = false;
        continue;
      }
      fail("\"" + shownText(line) + "\": expected a breakpoint: frequency, level (two numbers)");
    }
    headerAllowed = false;
    if (!std::isfinite(values[0]) || !std::isfinite(values[1])) fail("the frequency and level must be finite numbers");
    if (!(values[0] > 0)) fail("the frequency " + shownNumber(values[0]) + " Hz must be above 0");
    if (!(values[1] > 0)) fail("the level " + shownNumber(values[1]) + " must be above 0");
    if (!points.empty() && !(values[0] > points.back().frequency)) {
      fail("the frequency " + shownNumber(values[0]) + " Hz does not rise above the breakpoint before it (" +
           shownNumber(points.back().frequency) + " Hz): frequencies must increase");
    }
    points.push_back({values[0], values[1]});
  }
  if (points.size() < 2) {
    throw RecordError(source + ": " + (points.empty() ? "no breakpoints" : "one breakpoint") +
                      ": a target needs at least two (frequency, level)");
  }
  return SynthesisTarget(std::move(points));
}

}  // namespace korvel::shock
