#pragma once

// korvel-shock srs's command line.

#include <optional>
#include <string>
#include <vector>

#include "shock/command_words.h"
#include "srs/peaks.h"

namespace korvel::shock {

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

std::string srsUsage();

}  // namespace korvel::shock
