#pragma once

// How the Calculate command reads a field's text, said to the user: it reads a
// leading number and ignores the rest, so "1,5" gives 1 and "2.5abc" gives 2.5.
// The form's field marks, the page's notes and korvel-cli's notes all say it
// from fieldReadingOf.

#include <string>
#include <string_view>

namespace korvel {

struct FieldReading {
  enum Kind {
    Whole,     // blank, or a number up to trailing white space
    NoNumber,  // not blank, but no leading number: read as 0
    InPart,    // a number and then more than white space
  };
  Kind kind = Whole;
  double value = 0;         // what the field is read as
  std::string_view number;  // the leading number as typed, white space before it included
  std::string_view rest;    // what follows it, which is ignored
};

// What the text is read as and where reading stops. The views point into `text`.
FieldReading fieldReadingOf(std::string_view text);

// The form's sentence saying what the text is read as and where reading stops;
// empty when the text is blank or read up to trailing white space.
std::string fieldReadingNote(std::string_view text);

}  // namespace korvel
