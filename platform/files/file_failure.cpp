#include "platform/files/file_failure.h"

#include "platform/files/system_file.h"

namespace korvel {
namespace {

std::string summary(FileFailure::Operation operation, const std::string& name, const std::string& cause) {
  return failureSentence(operation, "the file \"" + name + "\"", cause);
}

}  // namespace

std::string failureSentence(FileFailure::Operation operation, const std::string& what, const std::string& cause) {
  const char* verb = operation == FileFailure::Open ? "open" : operation == FileFailure::Write ? "write to" : "close";
  return std::string("Could not ") + verb + " " + what + ": " + cause + ".";
}

FileFailure::FileFailure(Operation operation, std::string fileName, int errorCode, std::string description,
                         int cutBackError)
    : std::runtime_error(summary(operation, fileName, description.empty() ? systemErrorText(errorCode) : description)),
      operation_(operation),
      fileName_(std::move(fileName)),
      fullPath_(fullPathName(fileName_)),
      errorCode_(errorCode),
      description_(description.empty() ? systemErrorText(errorCode) : std::move(description)),
      cutBackError_(cutBackError) {}

std::string fileFailureReport(const FileFailure& failure) {
  std::string text = summary(failure.operation(), failure.fullPath(), failure.description());
  if (failure.operation() != FileFailure::Open) {
    text += "\n\nThe rows written before the failure are still in the file; it is incomplete.";
  }
  if (failure.cutBackError() != 0) {
    text += std::string(" Its last row is cut short: the file could not be cut back to whole rows (") +
            systemErrorText(failure.cutBackError()) + ").";
  }
  return text;
}

}  // namespace korvel
