#pragma once

// The system-specific part of the output file and its failure reports; one
// implementation per platform (platform/posix, platform/win32).

#include <string>

#include "platform/system_calls.h"

namespace korvel {

// Opens `name` for writing only, with no newline translation: created when
// missing, emptied only once this program holds it and no other program has
// it open. Throws FileFailure (Open), leaving the file as it was.
FileHandle openOutputFile(const std::string& name);

// The system's words for an error code, without a final full stop; a file held
// by another program is "The file is in use by another program".
std::string systemErrorText(int errorCode);

// `name` resolved against the current directory; `name` itself when it cannot be.
std::string fullPathName(const std::string& name);

}  // namespace korvel
