#pragma once

// korvel-shock srs: a record in, its shock response spectrum out.

#include <string>
#include <vector>

#include "shock/srs_options.h"

namespace korvel::shock {

// What went wrong with a file: the message names it and the cause.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the record, writes the CSV (and the plot) and returns the notes for
// standard error. Throws UsageError, RecordError or FileError.
std::vector<std::string> runSrs(const SrsOptions& options);

}  // namespace korvel::shock
