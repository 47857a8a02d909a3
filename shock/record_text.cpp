#include "shock/record_text.h"

#include <cmath>
#include <cstring>

#include <fast_float/fast_float.h>

#include "calc/time_history_file.h"
#include "shock/shown_number.h"

namespace korvel::shock {
namespace {

// Samples kept until the sample rate is fixed from their times, and the size
// of the blocks handed on after that.
constexpr std::size_t kRateRows = 1 << 16;
constexpr std::size_t kBlockSize = 1 << 15;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A line's fields: separated by a comma, a semicolon or blanks (blanks around
// a comma belong to it). An empty field between two commas counts as one.
struct Fields {
  static constexpr int kKept = 3;
  std::string_view field[kKept];
  int count = 0;
};

Fields fieldsOf(std::string_view line) {
  Fields fields;
  std::size_t i = 0;
  while (true) {
    std::size_t end = i;
    while (end < line.size() && !isSpace(line[end]) && line[end] != ',' && line[end] != ';') ++end;
    if (fields.count < Fields::kKept) fields.field[fields.count] = line.substr(i, end - i);
    ++fields.count;
    while (end < line.size() && isSpace(line[end])) ++end;
    if (end < line.size() && (line[end] == ',' || line[end] == ';')) {
      ++end;
      while (end < line.size() && isSpace(line[end])) ++end;
    } else if (end >= line.size()) {
      break;
    }
    i = end;
  }
  return fields;
}

// The field as a number, or nothing when it is not one in full.
std::optional<double> numberOf(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto result = fast_float::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ptr != text.data() + text.size()) return std::nullopt;
  if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) return std::nullopt;
  return value;
}

bool looksNumeric(std::string_view text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
  }
  return true;
}

// The exact powers of ten a double holds.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A field of korvel's rows, "-d.ddd...e+ddd" with `digits` after the point,
// read as the nearest double: the digits and the power of ten are exact, so
// one product or quotient rounds it once. False for anything else (then the
// general reader decides).
bool korvelField(const char* p, int digits, double& value, int& exponent) {
  if ((p[0] != ' ' && p[0] != '-') || p[1] < '0' || p[1] > '9' || p[2] != '.' || p[3 + digits] != 'e') return false;
  long long mantissa = p[1] - '0';
  for (int i = 0; i < digits; ++i) {
    const char c = p[3 + i];
    if (c < '0' || c > '9') return false;
    mantissa = mantissa * 10 + (c - '0');
  }
  const char* e = p + 4 + digits;
  if ((e[0] != '-' && e[0] != '+') || e[1] < '0' || e[1] > '9' || e[2] < '0' || e[2] > '9' || e[3] < '0' ||
      e[3] > '9') {
    return false;
  }
  exponent = ((e[1] - '0') * 100 + (e[2] - '0') * 10 + (e[3] - '0')) * (e[0] == '-' ? -1 : 1);
  const int scale = exponent - digits;
  if (scale < -22 || scale > 22) return false;
  const double m = static_cast<double>(mantissa);
  value = scale >= 0 ? m * kExactTens[scale] : m / kExactTens[-scale];
  if (p[0] == '-') value = -value;
  return true;
}

// A row as korvel writes it, " %14.6e \t %12.4e \r" (the line feed taken off).
bool korvelRow(std::string_view line, double& time, double& amplitude, double& timeHalfUnit) {
  if (line.size() != kRowLength - 1 || line[0] != ' ' || line.substr(15, 3) != " \t " || line.substr(30) != " \r") {
    return false;
  }
  const char* p = line.data();
  int exponent = 0;
  int unused = 0;
  // The time in bytes 1 to 14, the amplitude in 18 to 29 (a space before a positive value).
  if (!korvelField(p + 1, 6, time, exponent) || !korvelField(p + 18, 4, amplitude, unused)) return false;
  timeHalfUnit = halfUnitAt(exponent - 7);
  return true;
}

}  // namespace

RecordText::RecordText(std::string source, std::optional<double> givenRate, RateKnown rateKnown, Sink sink)
    : source_(std::move(source)), givenRate_(givenRate), rateKnown_(std::move(rateKnown)), sink_(std::move(sink)) {
  if (givenRate_) grid_.fixStep(1.0 / *givenRate_);
  block_.reserve(kRateRows);
}

void RecordText::fail(const std::string& what) const {
  throw RecordError(source_ + ":" + std::to_string(lineNumber_) + ": " + what);
}

void RecordText::read(const char* data, std::size_t size) {
  const char* end = data + size;
  while (data < end) {
    const char* newline = static_cast<const char*>(std::memchr(data, '\n', static_cast<std::size_t>(end - data)));
    const char* stop = newline ? newline : end;
    if (partial_.size() + static_cast<std::size_t>(stop - data) > kLongestLine) {
      ++lineNumber_;
      fail("the line is longer than " + std::to_string(kLongestLine) + " bytes: not a record of numbers");
    }
    if (!newline) {
      partial_.append(data, stop);
      return;
    }
    if (partial_.empty()) {
      line(std::string_view(data, static_cast<std::size_t>(stop - data)));
    } else {
      partial_.append(data, stop);
      line(partial_);
      partial_.clear();
    }
    data = newline + 1;
  }
}

void RecordText::line(std::string_view text) {
  ++lineNumber_;
  if (columns_ == 2) {
    double time = 0, amplitude = 0, halfUnit = 0;
    if (korvelRow(text, time, amplitude, halfUnit)) {
      sample(time, amplitude, halfUnit, text.substr(1, 14));
      return;
    }
  }
  if (const std::size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
  text = trimmed(text);
  if (text.empty()) return;
  const Fields fields = fieldsOf(text);
  double values[Fields::kKept] = {};
  for (int i = 0; i < fields.count && i < Fields::kKept; ++i) {
    const std::string_view field = fields.field[i];
    const std::optional<double> value = numberOf(field);
    if (!value) {
      // A first line of words is a header: column titles.
      if (!seenData_ && !seenHeader_ && !looksNumeric(fields.field[0])) {
        seenHeader_ = true;
        return;
      }
      if (field.empty()) fail("an empty field: expected a number");
      fail(std::string("\"").append(shownText(field)).append("\" is not a number"));  // no false -Wrestrict in GCC 12
    }
    if (!std::isfinite(*value)) {
      fail("\"" + shownText(field) + "\"" +
           (looksNumeric(field) ? " is beyond the range of double precision" : " is not a finite number"));
    }
    values[i] = *value;
  }
  if (!seenData_) {
    if (fields.count > 2) {
      fail(std::to_string(fields.count) + " columns: expected two (time, amplitude), or one (amplitude) with --rate");
    }
    if (fields.count == 1 && !givenRate_) {
      fail("one column of amplitudes: give the sample rate with --rate (or a time column before it)");
    }
    columns_ = fields.count;
    seenData_ = true;
  } else if (fields.count != columns_) {
    fail(std::to_string(fields.count) + " columns, where the lines before have " + std::to_string(columns_));
  }
  sample(values[0], values[columns_ - 1], columns_ == 2 ? halfUnitOf(fields.field[0]) : 0, fields.field[0]);
}

void RecordText::sample(double time, double amplitude, double timeHalfUnit, std::string_view timeText) {
  if (columns_ == 2) {
    const double lowest = grid_.lowestStep();
    const double highest = grid_.highestStep();
    if (!grid_.add(time, timeHalfUnit)) {
      const std::string shown = shownText(trimmed(timeText));
      if (givenRate_) {
        fail("the time " + shown + " is off the grid of --rate " + shownPlainNumber(*givenRate_) +
             " samples per second that the first time starts");
      }
      if (grid_.rows() == 2) fail("the time " + shown + " is not after the time before it");
      fail("the time " + shown + " strays from the uniform grid of the times before it (a step between " +
           shownNumber(lowest) + " and " + shownNumber(highest) + " s, within the precision they are printed at)");
    }
  }
  block_.push_back(amplitude);
  ++count_;
  if (!rateFixed_) {
    if (block_.size() >= kRateRows) fixRate(false);
  } else if (block_.size() >= kBlockSize) {
    flush();
  }
}

void RecordText::fixRate(bool wholeRecord) {
  if (givenRate_) {
    rate_ = *givenRate_;
  } else {
    if (grid_.rows() < 2) fail("a single row: its time gives no sample rate (give it with --rate)");
    if (!(grid_.highestStep() > 0)) fail("the times do not increase");
    rate_ = shortestRateFor(std::max(grid_.lowestStep(), 0.0), grid_.highestStep());
  }
  rateFixed_ = true;
  rateKnown_(rate_, wholeRecord ? std::optional<std::int64_t>(count_) : std::nullopt);
  flush();
}

void RecordText::flush() {
  if (!block_.empty()) sink_(block_.data(), block_.size());
  block_.clear();
}

void RecordText::end() {
  if (!partial_.empty()) {
    line(partial_);
    partial_.clear();
  }
  if (lineNumber_ == 0) throw RecordError(source_ + ": empty: no samples");
  if (!seenData_) fail(seenHeader_ ? "a header line and no samples" : "no samples");
  if (!rateFixed_) fixRate(true);
  flush();
  if (!givenRate_ && !grid_.allows(1.0 / rate_)) {
    fail("the times are a uniform grid, but at a sample rate that their first " + std::to_string(kRateRows) +
         " rows did not fix exactly: give it with --rate " +
         shownNumber(shortestRateFor(grid_.lowestStep(), grid_.highestStep())));
  }
}

}  // namespace korvel::shock
