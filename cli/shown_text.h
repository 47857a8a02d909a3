#pragma once

#include <string>
#include <string_view>

namespace korvel::cli {

// A user's text as a message may echo it to a terminal: valid UTF-8 printable
// characters as they are; control characters (C0, DEL, C1), the bidirectional
// overrides and isolates, and bytes that are not valid UTF-8 escaped as \n, \t,
// \r, \v, \f or \xNN per byte; a backslash doubled so that every escape reads
// one way.
std::string shownText(std::string_view text);

}  // namespace korvel::cli
