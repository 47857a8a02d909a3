#include "cli/command_line_ui.h"

#include <cerrno>
#include <unistd.h>

#include "platform/file_failure.h"

namespace korvel::cli {

std::string CommandLineUi::fieldText(int controlId) {
  const auto found = options_.fieldTexts.find(controlId);
  return found == options_.fieldTexts.end() ? std::string() : found->second;
}

std::optional<std::string> CommandLineUi::askOutputFileName() {
  askedForFile_ = true;
  const std::string& path = options_.outputPath;
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return path;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  // A folder that cannot be entered is reported as the file that cannot be opened.
  if (::chdir(folder.c_str()) != 0) throw FileFailure(FileFailure::Open, path, errno);
  return path.substr(slash + 1);
}

}  // namespace korvel::cli
