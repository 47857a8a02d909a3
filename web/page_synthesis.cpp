#include "web/page_synthesis.h"

#include <cctype>
#include <exception>
#include <new>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/numbers/number_format.h"
#include "shock/record_text.h"
#include "shock/srs_options.h"
#include "shock/synthesize_command.h"
#include "shock/wavelet_table.h"

namespace korvel::web {
namespace {

// The option each field stands for, and the field's name in messages.
struct FieldOption {
  SynthesisField field;
  const char* option;
  const char* name;
};
constexpr FieldOption kOptions[] = {
    {SynthesisField::Tolerance, "--tolerance", "Tolerance"},
    {SynthesisField::Q, "--q", "Q"},
    {SynthesisField::MaxDisplacement, "--max-displacement", "Max. displacement"},
    {SynthesisField::MaxVelocity, "--max-velocity", "Max. velocity"},
    {SynthesisField::MaxAcceleration, "--max-acceleration", "Max. acceleration"},
    {SynthesisField::Units, "--units", "Units"},
    {SynthesisField::Fraction, "--fraction", "Octave fraction"},
    {SynthesisField::Seed, "--seed", "Seed"},
    {SynthesisField::Rate, "--rate", "Sample rate"},
    {SynthesisField::Duration, "--duration", "Longest duration"},
};

// Fields that may be left empty: the command's option is then not given.
bool optional(SynthesisField field) {
  return field == SynthesisField::MaxDisplacement || field == SynthesisField::MaxVelocity ||
         field == SynthesisField::MaxAcceleration || field == SynthesisField::Rate || field == SynthesisField::Duration;
}

constexpr const char* kTyped = "the typed target";

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// korvel-shock's message in the words of the page's fields, and the field it
// is about.
std::pair<std::string, SynthesisField> inFieldWords(std::string message) {
  replaceAll(message, "at --rate ", "at a sample rate of ");
  replaceAll(message, "a lower --rate", "a lower sample rate");
  replaceAll(message, "a shorter --duration", "a shorter longest duration");
  for (const FieldOption& o : kOptions) {
    const std::string option = o.option;
    if (message.starts_with(option) && message.size() > option.size() &&
        (message[option.size()] == ':' || message[option.size()] == ' ')) {
      return {o.name + message.substr(option.size()), o.field};
    }
  }
  return {message, SynthesisField::None};
}

// A typed target's message by its line: "Line 3: the frequency ...".
std::string typedTargetWords(std::string message) {
  const std::string prefix = std::string(kTyped) + ":";
  if (!message.starts_with(prefix)) return message;
  std::string rest = message.substr(prefix.size());
  std::size_t digits = 0;
  while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
  if (digits > 0 && digits < rest.size() && rest[digits] == ':') return "Line " + rest;
  if (rest.starts_with(" ")) rest.erase(0, 1);
  if (!rest.empty()) rest[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
  return rest;
}

}  // namespace

void PageSynthesis::setField(SynthesisField field, std::string text) {
  if (field != SynthesisField::None) fields_[static_cast<std::size_t>(field)] = std::move(text);
}

bool PageSynthesis::run(const std::string& source) {
  // The last synthesis's files are let go first: the page's memory is fixed.
  file_ = table_ = report_ = plot_ = summary_ = error_ = {};
  file_.shrink_to_fit(), table_.shrink_to_fit(), report_.shrink_to_fit(), plot_.shrink_to_fit();
  met_ = false;
  errorField_ = SynthesisField::None;
  const std::string named = source.empty() ? kTyped : source;
  try {
    std::vector<std::string> words{"-", "-o", "-"};
    for (const FieldOption& o : kOptions) {
      const std::string& text = fields_[static_cast<std::size_t>(o.field)];
      if (optional(o.field) && text.empty()) continue;
      words.insert(words.end(), {o.option, text});
    }
    shock::SynthesizeOptions options = shock::parseSynthesizeOptions(words);
    options.settings.threads = 1;  // the page has no threads
    shock::SynthesisFiles files =
        shock::synthesizeFiles(fields_[static_cast<std::size_t>(SynthesisField::Target)], named, options, true);
    file_ = std::move(files.file);
    table_ = std::move(files.table);
    report_ = std::move(files.report);
    plot_ = std::move(files.plot);
    summary_ = std::move(files.summary);
    met_ = files.met;
    return true;
  } catch (const shock::RecordError& error) {
    error_ = source.empty() ? typedTargetWords(error.what()) : error.what();
    errorField_ = SynthesisField::Target;
  } catch (const std::bad_alloc&) {
    error_ =
        "The page's memory cannot hold this synthesis: raise the lowest frequency, give a lower sample rate or a "
        "shorter longest duration, or run korvel-shock synthesize, which has no such limit.";
  } catch (const std::exception& error) {
    std::tie(error_, errorField_) = inFieldWords(error.what());
    if (error_.starts_with("the target holds no check point")) errorField_ = SynthesisField::Target;
  }
  file_ = table_ = report_ = plot_ = summary_ = {};
  return false;
}

std::string PageSynthesis::shownTable() const {
  std::string text;
  if (table_.empty()) return text;
  for (const shock::TableWavelet& w : shock::readWaveletTable(table_, "the table")) {
    appendGeneral(text, w.frequency, 5, 0);
    text += '\t';
    appendGeneral(text, w.amplitude, 5, 0);
    text += '\t' + std::to_string(w.halfSines) + '\t';
    appendGeneral(text, w.delay, 5, 0);
    text += '\n';
  }
  return text;
}

}  // namespace korvel::web
