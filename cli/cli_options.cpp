#include "cli/cli_options.h"

#include <algorithm>
#include <string_view>

#include "calc/calculate_command.h"
#include "cli/shown_text.h"
#include "res/form_inputs.h"
#include "res/version_info.h"

namespace korvel::cli {
namespace {

// The list's entry whose label `label` is, as the option `option` gives it.
int halfSineIndexFor(std::string_view option, const std::string& label) {
  std::string choices;
  for (int index = 0; index < kHalfSineEntryCount; ++index) {
    const std::string count = std::to_string(halfSineCountForIndex(index));
    if (label == count) return index;
    choices += (index == 0 ? "" : ", ") + count;
  }
  throw UsageError(std::string(option) + " \"" + shownText(label) + "\": must be one of " + choices);
}

// What an input's option takes, as the help names it.
std::string_view valueName(const res::FormInput& input) { return input.kind == res::FormInput::List ? "N" : "TEXT"; }

// The names that mean the process's standard output as it stands. On POSIX
// systems /dev/stdout would otherwise be opened anew: emptied, and written from
// its start even where the shell appends (>>).
bool namesStandardOutput(std::string_view path) {
#ifdef _WIN32
  return path == "-";
#else
  return path == "-" || path == "/dev/stdout";
#endif
}

}  // namespace

CliOptions parseCliOptions(int argc, char** argv) {
  CliOptions options;
  if (argc <= 1) throw UsageError("no options: give at least --output PATH (see --help)");
  bool haveOutput = false;
  bool endOfOptions = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view word = argv[i];
    if (endOfOptions || !word.starts_with("-") || word == "-") {
      throw UsageError("\"" + shownText(word) + "\": unexpected argument" + (endOfOptions ? " after --" : "") +
                       ": korvel-cli takes no operands (see --help)");
    }
    if (word == "--") {
      endOfOptions = true;
      continue;
    }
    std::string_view name = word;
    std::string value;
    bool inlineValue = false;
    if (word.starts_with("--")) {
      if (const auto eq = word.find('='); eq != std::string_view::npos) {
        name = word.substr(0, eq);
        value = std::string(word.substr(eq + 1));
        inlineValue = true;
      }
    }
    if (name == "--help" || name == "-h" || name == "--version" || name == "-V") {
      if (inlineValue) throw UsageError(std::string(name) + ": takes no value");
      (name == "--help" || name == "-h" ? options.help : options.version) = true;
      continue;
    }
    auto takeValue = [&]() {
      if (inlineValue) return;
      if (i + 1 >= argc) throw UsageError(std::string(name) + ": needs a value");
      value = argv[++i];
    };

    const res::FormInput* input = nullptr;
    for (const res::FormInput& candidate : res::kFormInputs) {
      if (name == candidate.longOption || name == candidate.shortOption) input = &candidate;
    }
    if (input != nullptr) {
      takeValue();
      if (input->kind == res::FormInput::List) {
        options.halfSineIndex = halfSineIndexFor(input->longOption, value);
      } else {
        options.fieldTexts[input->controlId] = value;
      }
    } else if (name == "--output" || name == "-o") {
      takeValue();
      if (value.empty()) throw UsageError("--output: the path is empty");
      if (value.back() == '/') throw UsageError("--output \"" + shownText(value) + "\": names a folder, not a file");
      options.outputPath = value;
      options.standardOutput = namesStandardOutput(value);
      haveOutput = true;
    } else {
      throw UsageError(shownText(name) + ": unknown option (see --help)");
    }
  }
  if (!haveOutput && !options.help && !options.version) {
    throw UsageError("--output: required (the file to write)");
  }
  return options;
}

std::string usageText() {
  // The synopsis, every input's option in the form's order, in lines of at
  // most 79 characters.
  constexpr std::string_view kUsage = "Usage: korvel-cli";
  std::string text;
  std::string line(kUsage);
  const auto add = [&](const std::string& word) {
    if (line.size() + 1 + word.size() > 79) {
      text += line + "\n";
      line = std::string(kUsage.size() + 1, ' ') + word;
    } else {
      line += " " + word;
    }
  };
  for (const res::FormInput& input : res::kFormInputs) {
    add("[" + std::string(input.longOption) + " " + std::string(valueName(input)) + "]");
  }
  add("--output PATH");
  text += line + "\n";

  text +=
      "\n"
      "Samples a wavelet (a sine carrier under a half-sine envelope, switched on after\n"
      "the delay) and writes its time history as two columns, time and amplitude.\n"
      "\n";
  // The inputs' options, their help from column 26.
  for (const res::FormInput& input : res::kFormInputs) {
    std::string option = "  " + std::string(input.shortOption) + ", " + std::string(input.longOption) + " " +
                         std::string(valueName(input));
    option.resize(std::max<std::size_t>(option.size() + 2, 25), ' ');
    text += option + std::string(input.help);
    if (input.kind == res::FormInput::List) {
      text += ": 3, 5, ..., " + std::to_string(halfSineCountForIndex(kHalfSineEntryCount - 1)) + " (default 3)";
    }
    text += "\n";
  }
  return text +
         "  -o, --output PATH      the file to write (replaced if it exists);\n"
         "                         - writes to standard output (./- is a file named -)\n"
         "  -h, --help             this text\n"
         "  -V, --version          the version block\n"
         "  --                     ends the options; as korvel-cli takes no operands,\n"
         "                         nothing may follow it\n"
         "\n"
         "A long option's value may also follow an equals sign: --rate=1000.\n"
         "Each TEXT is read as the form reads its field: a leading decimal number, the\n"
         "rest ignored; a missing option reads as 0. An option's value is always the\n"
         "next word, even one that begins with -: -a -5 is an amplitude of -5.\n"
         "\n"
         "Exit status: 0 written, 1 file failure, 2 usage error, 3 duration too short.\n";
}

std::string versionText() {
  std::string text = "korvel-cli " + std::string(res::kVersionText) + "\n";
  for (const auto& entry : res::kVersionStrings) {
    text += "  " + std::string(entry.key) + ": " + std::string(entry.value) + "\n";
  }
  return text;
}

}  // namespace korvel::cli
