#include "platform/file_failure.h"

#include <cerrno>
#include <cstring>

namespace korvel {
namespace {

std::string describe(int errorCode) {
  if (errorCode == EWOULDBLOCK) return "The file is in use by another program";
  return std::strerror(errorCode);
}

std::string summary(FileFailure::Operation operation, const std::string& name, const std::string& cause) {
  const char* verb = operation == FileFailure::Open    ? "open"
                     : operation == FileFailure::Write ? "write to"
                                                       : "close";
  return std::string("Could not ") + verb + " the file \"" + name + "\": " + cause + ".";
}

}  // namespace

FileFailure::FileFailure(Operation operation, std::string fileName, int errorCode)
    : std::runtime_error(summary(operation, fileName, describe(errorCode))),
      operation_(operation),
      fileName_(std::move(fileName)),
      errorCode_(errorCode),
      description_(describe(errorCode)) {}

std::string fileFailureReport(const FileFailure& failure) {
  std::string text = failure.what();
  if (failure.operation() != FileFailure::Open) {
    text += "\n\nThe rows written before the failure are still in the file; it is incomplete.";
  }
  return text;
}

}  // namespace korvel
