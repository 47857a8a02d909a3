#include "cli/failure_message.h"

#include "cli/shown_text.h"

namespace korvel::cli {

std::string failureMessage(const FileFailure& failure, const std::string& typedPath, bool standardOutput) {
  const std::string what = standardOutput ? "standard output" : "the file \"" + shownText(typedPath) + "\"";
  return failureSentence(failure.operation(), what, failure.description());
}

}  // namespace korvel::cli
