#pragma once

#include <string>

#include "platform/files/file_failure.h"

namespace korvel::cli {

// The failure in one line, naming the file as the user typed it after
// --output (the command itself opens the bare name inside the path's folder),
// or standard output.
std::string failureMessage(const FileFailure& failure, const std::string& typedPath, bool standardOutput);

}  // namespace korvel::cli
