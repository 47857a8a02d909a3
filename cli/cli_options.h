#pragma once

#include <map>
#include <stdexcept>
#include <string>

namespace korvel::cli {

struct CliOptions {
  std::map<int, std::string> fieldTexts;  // by control id; a missing field reads as empty
  int halfSineIndex = 0;                  // the form's initial selection: 3 half-sines
  std::string outputPath;
  bool standardOutput = false;  // "-o -": the rows go to standard output
  bool help = false;
  bool version = false;
};

// A command line that cannot be run: names the option and why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

CliOptions parseCliOptions(int argc, char** argv);
std::string usageText();
std::string versionText();

}  // namespace korvel::cli
