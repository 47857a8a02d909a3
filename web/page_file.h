#pragma once

// A press of "Calculate Time History" in the page: the Calculate command's
// steps up to the file, with the file's bytes built in memory for the browser
// to save. Same reading, synthesis, warning and rows as the form and korvel-cli.

#include <cstddef>
#include <memory>
#include <string>

#include "calc/time_history.h"

namespace korvel::web {

class PageFile {
 public:
  // Reads the form and samples the wavelet into the process's time history.
  // False when the duration is too short: then message() is the form's warning
  // and the bytes are left as they were.
  bool calculate(CalculationUi& form);

  const char* data() const { return bytes_.get(); }
  std::size_t size() const { return size_; }
  const std::string& message() const { return message_; }

 private:
  std::unique_ptr<char[]> bytes_;  // room for the largest file, taken on first use
  std::size_t size_ = 0;
  std::string message_;
};

}  // namespace korvel::web
