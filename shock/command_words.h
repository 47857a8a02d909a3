#pragma once

// A verb's command line, read a word at a time: operands (a file, "-" for a
// standard stream) and options given as "--name value", "--name=value" or
// "-o value", with their values checked as they are taken.

#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::shock {

// A command line that cannot be run: names the option and why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number given on the command line: the whole text, finite.
double optionNumber(const std::string& option, const std::string& text);

class CommandWords {
 public:
  // With `endOfOptions`, a lone "--" makes every later word an operand.
  explicit CommandWords(const std::vector<std::string>& words, bool endOfOptions = false);

  // Moves to the next word; false when none is left.
  bool next();
  // The word is an operand, not an option.
  bool operand() const { return operand_; }
  // The operand's text, or the option's name (without an inline value).
  const std::string& word() const { return name_; }

  // The option's value: its inline text or the next word.
  std::string value();
  // A value that names a file: not empty.
  std::string path();
  // A finite number.
  double number();
  // A number above 0.
  double positive();

 private:
  const std::vector<std::string>& words_;
  std::size_t next_ = 0;
  bool dashDashEnds_ = false, optionsEnded_ = false;
  bool operand_ = false, inline_ = false;
  std::string name_, inlineValue_;
};

}  // namespace korvel::shock
