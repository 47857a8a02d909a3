#pragma once

// A shock synthesis in the page: a target SRS typed in or opened, the
// options as fields, and korvel-shock synthesize's files made from them (the
// same bytes as the command's -o, --table, --report and --plot for the same
// target and options), on the calling thread. Messages are the command's, in
// the words of the page's fields, with the field they belong to.

#include <array>
#include <cstddef>
#include <string>

namespace korvel::web {

// The fields, in the order the script hands their texts in.
enum class SynthesisField {
  Target,
  Tolerance,
  Q,
  MaxDisplacement,
  MaxVelocity,
  MaxAcceleration,
  Units,
  Fraction,
  Seed,
  Rate,
  Duration,
  None  // a message about the synthesis as a whole
};
inline constexpr std::size_t kSynthesisFields = static_cast<std::size_t>(SynthesisField::None);

class PageSynthesis {
 public:
  void setField(SynthesisField field, std::string text);

  // Synthesises the target's text, named `source` in messages and the plot
  // (empty: a target typed in). False with the message in error() and its
  // field in errorField(); the last files are forgotten either way.
  bool run(const std::string& source);

  const std::string& error() const { return error_; }
  SynthesisField errorField() const { return errorField_; }

  const std::string& file() const { return file_; }
  const std::string& table() const { return table_; }
  const std::string& report() const { return report_; }
  const std::string& plot() const { return plot_; }
  // The summary's lines, the verdict's last.
  const std::string& summary() const { return summary_; }
  bool met() const { return met_; }
  // The table as shown: a line a wavelet, tab-separated, five digits.
  std::string shownTable() const;

 private:
  std::array<std::string, kSynthesisFields> fields_{};
  std::string error_;
  SynthesisField errorField_ = SynthesisField::None;
  std::string file_, table_, report_, plot_, summary_;
  bool met_ = false;
};

}  // namespace korvel::web
