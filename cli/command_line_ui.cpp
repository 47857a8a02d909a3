#include "cli/command_line_ui.h"

#include "platform/files/chosen_folder.h"
#include "platform/files/file_failure.h"

namespace korvel::cli {

std::string CommandLineUi::fieldText(int controlId) {
  const auto found = options_.fieldTexts.find(controlId);
  return found == options_.fieldTexts.end() ? std::string() : found->second;
}

std::optional<std::string> CommandLineUi::askOutputFileName() {
  askedForFile_ = true;
  if (options_.standardOutput) return options_.outputPath;
  // A folder that cannot be entered is reported as the file that cannot be opened.
  EnteredFolder entered = enterFolderOf(options_.outputPath);
  if (entered.error != 0) throw FileFailure(FileFailure::Open, options_.outputPath, entered.error);
  return std::move(entered.name);
}

}  // namespace korvel::cli
