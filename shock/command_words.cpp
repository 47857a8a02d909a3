#include "shock/command_words.h"

#include <cmath>

#include <fast_float/fast_float.h>

#include "shock/shown_number.h"

namespace korvel::shock {

double optionNumber(const std::string& option, const std::string& text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto result = fast_float::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || result.ptr != digits.data() + digits.size() || !std::isfinite(value) ||
      (result.ec != std::errc() && result.ec != std::errc::result_out_of_range)) {
    throw UsageError(option + " \"" + shownText(text) + "\": not a finite number");
  }
  return value;
}

CommandWords::CommandWords(const std::vector<std::string>& words, bool endOfOptions)
    : words_(words), dashDashEnds_(endOfOptions) {}

bool CommandWords::next() {
  while (next_ < words_.size()) {
    const std::string& word = words_[next_++];
    if (dashDashEnds_ && !optionsEnded_ && word == "--") {
      optionsEnded_ = true;
      continue;
    }
    operand_ = optionsEnded_ || word == "-" || word.empty() || word[0] != '-';
    inline_ = false;
    name_ = word;
    if (const auto eq = word.find('='); !operand_ && word.starts_with("--") && eq != std::string::npos) {
      name_ = word.substr(0, eq);
      inlineValue_ = word.substr(eq + 1);
      inline_ = true;
    }
    return true;
  }
  return false;
}

std::string CommandWords::value() {
  if (inline_) return inlineValue_;
  if (next_ >= words_.size()) throw UsageError(name_ + ": needs a value");
  return words_[next_++];
}

std::string CommandWords::path() {
  std::string p = value();
  if (p.empty()) throw UsageError(name_ + ": the path is empty");
  return p;
}

double CommandWords::number() { return optionNumber(name_, value()); }

double CommandWords::positive() {
  const std::string text = value();
  const double v = optionNumber(name_, text);
  if (!(v > 0)) throw UsageError(name_ + " " + shownText(text) + ": must be above 0");
  return v;
}

}  // namespace korvel::shock
