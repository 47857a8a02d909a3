#pragma once

// A finished text written whole to a file, or to standard output.

#include <string>
#include <string_view>

namespace korvel::shock {

// Writes `text` to `path` (replacing the file), or to standard output for "-".
// Throws FileError naming the file and the cause.
void writeText(const std::string& path, std::string_view text);

}  // namespace korvel::shock
