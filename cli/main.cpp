// korvel-cli: the form's Calculate command from the command line. Runs the same
// command as the desktop program and writes the same bytes.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "calc/calculate_command.h"
#include "cli/command_line_ui.h"
#include "cli/failure_message.h"
#include "cli/notes.h"
#include "platform/files/file_failure.h"
#include "platform/files/system_file.h"

namespace {

enum ExitStatus { kWritten = 0, kFileFailure = 1, kUsageError = 2, kDurationTooShort = 3 };

// The reader of standard output stopped early (head, a closed viewer): the
// program ends silently the way seq and cat do, by the broken-pipe signal, so
// a shell sees status 141 and only a pipeline under pipefail treats it as a
// failure. Windows has no such signal; there the status is the same 141.
int endAsTheReaderStopped() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_DFL);
  std::raise(SIGPIPE);
#endif
  return 128 + 13;
}

void printNotes(const std::vector<std::string>& notes) {
  for (const std::string& note : notes) std::cerr << "korvel-cli: note: " << note << '\n';
}

// The help or version text on standard output; a full disk or a closed
// standard output is a failure like any other write.
int printOut(const std::string& text, const char* what) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return kWritten;
  const int error = errno;
  std::cerr << "korvel-cli: Could not write the " << what << " to standard output: " << std::strerror(error) << ".\n";
  return kFileFailure;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvel;
#ifdef _WIN32
  // Messages and help end their lines as on every platform, with a bare line feed.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  cli::CliOptions options;
  try {
    options = cli::parseCliOptions(argc, argv);
  } catch (const cli::UsageError& error) {
    std::cerr << "korvel-cli: " << error.what() << '\n';
    return kUsageError;
  }
  if (options.help) return printOut(cli::usageText(), "help text");
  if (options.version) return printOut(cli::versionText(), "version text");

  printNotes(cli::fieldTextNotes(options));
  cli::CommandLineUi ui(options);
  try {
    runCalculation(ui);
  } catch (const FileFailure& failure) {
    if (options.standardOutput && readerHasGone(failure.errorCode())) return endAsTheReaderStopped();
    std::cerr << "korvel-cli: " << cli::failureMessage(failure, options.outputPath, options.standardOutput) << '\n';
    return kFileFailure;
  }
  if (!ui.askedForFile()) {
    std::cerr << ui.lastMessage() << '\n';
    return kDurationTooShort;
  }
  printNotes(cli::resultNotes(readWaveletParams(ui), timeHistory));
  return kWritten;
}
