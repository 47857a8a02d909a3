#pragma once

// What the form tells the user about a numeric field whose text is not read
// as a whole: the Calculate command reads a leading number and ignores the
// rest, so "1,5" gives 1 and "2.5abc" gives 2.5.

#include <string>
#include <string_view>

namespace korvel {

// A sentence saying what the text is read as and where reading stops; empty
// when the text is blank or read up to trailing white space.
std::string fieldReadingNote(std::string_view text);

}  // namespace korvel
