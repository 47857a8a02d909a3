#pragma once

// A small input read whole: a table or a target, from a file or standard input.

#include <string>

namespace korvel::shock {

// The whole text of `path` ("-": standard input), up to 16 MiB; throws
// FileError naming the file and the cause, or RecordError when it is longer.
std::string readWholeText(const std::string& path);

// How messages name the input: its path, or "standard input".
std::string inputName(const std::string& path);

}  // namespace korvel::shock
