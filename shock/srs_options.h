#pragma once

// korvel-shock srs's command line.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "srs/peaks.h"

namespace korvel::shock {

// A command line that cannot be run: names the option and why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SrsOptions {
  double q = 10;
  int fraction = 12;
  std::optional<double> from, to;
  std::vector<double> frequencies;  // --frequencies, in the order given
  srs::PeakRule rule = srs::PeakRule::Sampled;
  std::optional<double> rate;
  std::string input;         // "-": standard input
  std::string output = "-";  // "-": standard output
  std::string plot;          // empty: none
};

// The words after "srs".
SrsOptions parseSrsOptions(const std::vector<std::string>& words);

// A number given on the command line: the whole text, finite.
double optionNumber(const std::string& option, const std::string& text);

std::string srsUsage();

}  // namespace korvel::shock
