#include "cli/failure_message.h"

#include "cli/shown_text.h"

namespace korvel::cli {

std::string failureMessage(const FileFailure& failure, const std::string& typedPath) {
  const char* verb = failure.operation() == FileFailure::Open    ? "open"
                     : failure.operation() == FileFailure::Write ? "write to"
                                                                 : "close";
  return std::string("Could not ") + verb + " the file \"" + shownText(typedPath) + "\": " + failure.description() +
         ".";
}

}  // namespace korvel::cli
