#include "cli/failure_message.h"

#include "cli/shown_text.h"

namespace korvel::cli {

std::string failureMessage(const FileFailure& failure, const std::string& typedPath, bool standardOutput) {
  const char* verb = failure.operation() == FileFailure::Open    ? "open"
                     : failure.operation() == FileFailure::Write ? "write to"
                                                                 : "close";
  const std::string what = standardOutput ? "standard output" : "the file \"" + shownText(typedPath) + "\"";
  return std::string("Could not ") + verb + " " + what + ": " + failure.description() + ".";
}

}  // namespace korvel::cli
