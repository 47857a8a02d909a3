#pragma once

#include <optional>
#include <string>

#include "calc/time_history.h"
#include "cli/cli_options.h"

namespace korvel::cli {

// The form's operations over the command line's options: fields from the
// options, the output path in place of the save dialog, messages kept for main.
class CommandLineUi : public CalculationUi {
 public:
  explicit CommandLineUi(const CliOptions& options) : options_(options) {}

  std::string fieldText(int controlId) override;
  int selectedHalfSineIndex() override { return options_.halfSineIndex; }
  void showMessage(const std::string& text) override { lastMessage_ = text; }
  // Makes the path's folder the current directory and returns its bare name.
  // For standard output no folder is entered and the name comes back as typed.
  std::optional<std::string> askOutputFileName() override;
  bool writesToStandardOutput() const override { return options_.standardOutput; }
  void beginWaitCursor() override {}
  void endWaitCursor() override {}

  bool askedForFile() const { return askedForFile_; }
  const std::string& lastMessage() const { return lastMessage_; }

 private:
  const CliOptions& options_;
  bool askedForFile_ = false;
  std::string lastMessage_;
};

}  // namespace korvel::cli
