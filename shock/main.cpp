// korvel-shock: what engineers do with wavelets, from the command line: srs
// gives the shock response spectrum of any record, sum adds up a table of
// wavelets into one korvel file, synthesize finds the wavelets whose sum meets
// a target spectrum within a shaker's limits.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "res/version_info.h"
#include "shock/record_text.h"
#include "shock/srs_command.h"
#include "shock/shown_number.h"
#include "shock/srs_options.h"
#include "shock/sum_command.h"
#include "shock/synthesize_command.h"

namespace {

enum ExitStatus { kDone = 0, kFileFailure = 1, kUsageError = 2, kNotARecord = 3, kNotMet = 4 };

std::string usage() {
  return "Usage: korvel-shock srs [OPTIONS] INPUT|-   the shock response spectrum of a record\n"
         "       korvel-shock sum TABLE --rate R --duration D -o FILE|-   a sum of wavelets\n"
         "       korvel-shock synthesize TARGET -o FILE|- [--table FILE] [--report FILE] [--plot FILE.svg]\n"
         "                                                   wavelets that meet a target SRS\n"
         "       korvel-shock --help | --version\n"
         "\n" +
         korvel::shock::srsUsage() + "\n" + korvel::shock::sumUsage() + "\n" + korvel::shock::synthesizeUsage() +
         "\n"
         "Exit status: 0 done, 1 file failure, 2 usage error, 3 the input is not a record (or table or target),\n"
         "4 synthesize: the file is written, but the band or a limit is not met.\n";
}

int printOut(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return kDone;
  std::cerr << "korvel-shock: could not write to standard output\n";
  return kFileFailure;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvel::shock;
#ifdef _WIN32
  // Records, spectra and messages byte for byte: no newline translation.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    std::cerr << "korvel-shock: give a verb: srs, sum or synthesize (see --help)\n";
    return kUsageError;
  }
  const std::string& verb = words[0];
  if (verb == "--help" || verb == "-h") return printOut(usage());
  if (verb == "--version" || verb == "-V") {
    return printOut("korvel-shock " + std::string(korvel::res::kVersionText) + "\n");
  }
  try {
    if (verb != "srs" && verb != "sum" && verb != "synthesize") {
      throw UsageError("\"" + shownText(verb) + "\": unknown verb (srs, sum, synthesize; see --help)");
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    for (const std::string& word : rest) {
      if (word == "--help" || word == "-h")
        return printOut(verb == "srs" ? srsUsage() : verb == "sum" ? sumUsage() : synthesizeUsage());
    }
    if (verb == "synthesize") return runSynthesize(parseSynthesizeOptions(rest)) ? kDone : kNotMet;
    if (verb == "sum") {
      runSum(parseSumOptions(rest));
      return kDone;
    }
    for (const std::string& note : runSrs(parseSrsOptions(rest))) std::cerr << "korvel-shock: note: " << note << '\n';
  } catch (const UsageError& error) {
    std::cerr << "korvel-shock: " << error.what() << '\n';
    return kUsageError;
  } catch (const RecordError& error) {
    std::cerr << "korvel-shock: " << error.what() << '\n';
    return kNotARecord;
  } catch (const FileError& error) {
    std::cerr << "korvel-shock: " << error.what() << '\n';
    return kFileFailure;
  }
  return kDone;
}
