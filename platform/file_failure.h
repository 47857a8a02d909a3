#pragma once

#include <stdexcept>
#include <string>

namespace korvel {

// A file that could not be opened, written or closed: the name passed to the
// open (empty when none was chosen) and the system's cause.
class FileFailure : public std::runtime_error {
 public:
  enum Operation { Open, Write, Close };

  FileFailure(Operation operation, std::string fileName, int errorCode);

  Operation operation() const { return operation_; }
  const std::string& fileName() const { return fileName_; }
  int errorCode() const { return errorCode_; }
  // The system's words for the error code, e.g. "No space left on device".
  const std::string& description() const { return description_; }

 private:
  Operation operation_;
  std::string fileName_;
  int errorCode_;
  std::string description_;
};

// One or two sentences for the user: what failed on which file, and why.
std::string fileFailureReport(const FileFailure& failure);

}  // namespace korvel
