#pragma once

#include <stdexcept>
#include <string>

namespace korvel {

// A file that could not be opened, written or closed: the name passed to the
// open (empty when none was chosen), the full path it stood for when the
// failure was raised, and the system's cause.
class FileFailure : public std::runtime_error {
 public:
  enum Operation { Open, Write, Close };

  // `description` gives the cause in other words than the system's (empty: the
  // system's words for the error code). `cutBackError` is the error code of a
  // failed attempt to cut the file back to whole rows after a failed write.
  FileFailure(Operation operation, std::string fileName, int errorCode, std::string description = {},
              int cutBackError = 0);

  Operation operation() const { return operation_; }
  const std::string& fileName() const { return fileName_; }
  // The name resolved against the current directory at the failure; empty for an empty name.
  const std::string& fullPath() const { return fullPath_; }
  int errorCode() const { return errorCode_; }
  // The cause, e.g. "No space left on device".
  const std::string& description() const { return description_; }
  // 0, or why the file still ends inside a row after a failed write.
  int cutBackError() const { return cutBackError_; }

 private:
  Operation operation_;
  std::string fileName_;
  std::string fullPath_;
  int errorCode_;
  std::string description_;
  int cutBackError_;
};

// "Could not open|write to|close WHAT: CAUSE.": what failed, on `what` (the
// file as the reader knows it, e.g. `the file "wave.txt"` or `standard output`),
// and why.
std::string failureSentence(FileFailure::Operation operation, const std::string& what, const std::string& cause);

// A few sentences for the user: what failed on which file (by its full path),
// why, and what the file holds now.
std::string fileFailureReport(const FileFailure& failure);

}  // namespace korvel
