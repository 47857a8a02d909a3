#include "platform/file_failure.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

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

std::string resolved(const std::string& name) {
  if (name.empty()) return name;
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  return error ? name : path.string();
}

}  // namespace

FileFailure::FileFailure(Operation operation, std::string fileName, int errorCode, std::string description,
                         int cutBackError)
    : std::runtime_error(summary(operation, fileName, description.empty() ? describe(errorCode) : description)),
      operation_(operation),
      fileName_(std::move(fileName)),
      fullPath_(resolved(fileName_)),
      errorCode_(errorCode),
      description_(description.empty() ? describe(errorCode) : std::move(description)),
      cutBackError_(cutBackError) {}

std::string fileFailureReport(const FileFailure& failure) {
  std::string text = summary(failure.operation(), failure.fullPath(), failure.description());
  if (failure.operation() != FileFailure::Open) {
    text += "\n\nThe rows written before the failure are still in the file; it is incomplete.";
  }
  if (failure.cutBackError() != 0) {
    text += std::string(" Its last row is cut short: the file could not be cut back to whole rows (") +
            std::strerror(failure.cutBackError()) + ").";
  }
  return text;
}

}  // namespace korvel
