#include "calc/field_reading.h"

#include <algorithm>

#include "calc/number_text.h"
#include "platform/numbers/number_format.h"

namespace korvel {
namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

bool onlyBlanks(std::string_view text) { return text.find_first_not_of(kBlanks) == std::string_view::npos; }

// The fewest significant digits that give the value back, so the note shows
// 1.0000001 rather than 1; at most the formatter's limit.
std::string valueText(double value) {
  char text[kMaxNumberText];
  std::string_view shown;
  for (int digits = 6; digits <= kMaxPrecision; ++digits) {
    shown = std::string_view(text, static_cast<std::size_t>(formatGeneral(text, value, digits, 0) - text));
    if (parseNumber(shown) == value) break;
  }
  return std::string(shown);
}

// The number as typed, without leading white space; a very long one keeps its
// two ends.
std::string echoed(std::string_view number) {
  number.remove_prefix(std::min(number.find_first_not_of(kBlanks), number.size()));
  constexpr std::size_t kEnd = 12;
  if (number.size() <= 3 * kEnd) return std::string(number);
  return std::string(number.substr(0, kEnd)) + "..." + std::string(number.substr(number.size() - kEnd));
}

}  // namespace

FieldReading fieldReadingOf(std::string_view text) {
  const LeadingNumber number = readLeadingNumber(text);
  FieldReading reading;
  reading.value = number.value;
  reading.number = text.substr(0, number.length);
  reading.rest = text.substr(number.length);
  if (onlyBlanks(reading.rest)) {
    reading.kind = FieldReading::Whole;
  } else {
    reading.kind = number.length == 0 ? FieldReading::NoNumber : FieldReading::InPart;
  }
  return reading;
}

std::string fieldReadingNote(std::string_view text) {
  const FieldReading reading = fieldReadingOf(text);
  if (reading.kind == FieldReading::Whole) return {};
  if (reading.kind == FieldReading::NoNumber) return "Read as 0: the text does not begin with a number.";
  std::string note =
      "Read as " + valueText(reading.value) + ": the text after \"" + echoed(reading.number) + "\" is ignored";
  // A decimal comma is the likeliest cause of a number read in part.
  const std::string_view rest = reading.rest;
  if (rest.size() >= 2 && rest[0] == ',' && rest[1] >= '0' && rest[1] <= '9') {
    note += " (the decimal separator is the point)";
  }
  return note + ".";
}

}  // namespace korvel
