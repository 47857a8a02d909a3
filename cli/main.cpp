// korvel-cli: the form's Calculate command from the command line. Runs the same
// command as the desktop program and writes the same bytes.

#include <cstdio>
#include <iostream>

#include "calc/calculate_command.h"
#include "cli/advisories.h"
#include "cli/command_line_ui.h"
#include "platform/file_failure.h"

namespace {

enum ExitStatus { kWritten = 0, kFileFailure = 1, kUsageError = 2, kDurationTooShort = 3 };

void printNotes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) std::cerr << "korvel-cli: note: " << note << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvel;
  cli::CliOptions options;
  try {
    options = cli::parseCliOptions(argc, argv);
  } catch (const cli::UsageError& error) {
    std::cerr << "korvel-cli: " << error.what() << '\n';
    return kUsageError;
  }
  if (options.help) {
    std::cout << cli::usageText();
    return kWritten;
  }
  if (options.version) {
    std::cout << cli::versionText();
    return kWritten;
  }

  printNotes(cli::fieldTextNotes(options));
  cli::CommandLineUi ui(options);
  try {
    runCalculation(ui);
  } catch (const FileFailure& failure) {
    std::cerr << "korvel-cli: " << failure.what() << '\n';
    return kFileFailure;
  }
  if (!ui.askedForFile()) {
    std::cerr << ui.lastMessage() << '\n';
    return kDurationTooShort;
  }
  printNotes(cli::resultNotes(cli::paramsFromOptions(options), timeHistory));
  return kWritten;
}
