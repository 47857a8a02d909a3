#pragma once

// A record read as text: korvel's own time-history files, any two-column text
// (time and amplitude: CSV with or without a header line, spaces or tabs, #
// comments), or one column of amplitudes at a given sample rate. The text is
// taken in pieces of any size and its samples handed on in blocks, so a record
// of any length needs only a few blocks of memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shock/uniform_grid.h"

namespace korvel::shock {

// The text is not a record: names the source, the line and what is wrong.
class RecordError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lines longer than this are refused (a file without line breaks is not read whole).
inline constexpr std::size_t kLongestLine = 1 << 16;

class RecordText {
 public:
  // Samples in blocks, in order; `rate` is the sample rate, fixed before the first block.
  using Sink = std::function<void(const double* samples, std::size_t count)>;
  // Called once, when the sample rate is known and before any block: the rate
  // and, when the whole record is already read by then, its sample count.
  using RateKnown = std::function<void(double rate, std::optional<std::int64_t> wholeCount)>;

  // `source` names the record in messages; `givenRate` is --rate, if given.
  RecordText(std::string source, std::optional<double> givenRate, RateKnown rateKnown, Sink sink);

  // The next piece of the text.
  void read(const char* data, std::size_t size);
  // The end of the text: the last line, the last block.
  void end();

  double sampleRate() const { return rate_; }
  std::int64_t sampleCount() const { return count_; }

 private:
  void line(std::string_view text);
  void sample(double time, double amplitude, double timeHalfUnit, std::string_view timeText);
  void fixRate(bool wholeRecord);
  void flush();
  [[noreturn]] void fail(const std::string& what) const;

  std::string source_;
  std::optional<double> givenRate_;
  RateKnown rateKnown_;
  Sink sink_;

  std::string partial_;          // a line not yet ended
  std::int64_t lineNumber_ = 0;  // of the line being read
  bool seenData_ = false;
  bool seenHeader_ = false;
  int columns_ = 0;
  UniformGrid grid_;
  double rate_ = 0;
  bool rateFixed_ = false;
  std::int64_t count_ = 0;
  std::vector<double> block_;
};

}  // namespace korvel::shock
