#pragma once

// Numbers and the user's text as korvel-shock's messages and files show them.

#include <string>
#include <string_view>

namespace korvel::shock {

// The shortest text that reads back as the same double ("0.1", "1e-05", "20000").
std::string shownNumber(double value);

// A number as a sentence shows it: whole numbers below 10^15 in all their
// digits ("100000" samples per second, not "1e+05"), others as shownNumber.
std::string shownPlainNumber(double value);

// A user's text as a message echoes it: escaped as korvel-cli escapes it, and
// cut to its first 40 characters with "..." when longer.
std::string shownText(std::string_view text);

// A file's path as a message names it: escaped the same way, and when longer
// than 40 characters its last 40 after "...", so that the file's own name
// stays in sight.
std::string shownPath(std::string_view path);

}  // namespace korvel::shock
