#pragma once

// The system-specific part of the output file and its failure reports; one
// implementation per platform (posix/, win32/).

#include <string>

#include "platform/files/system_calls.h"

namespace korvel {

// Opens `name` for writing only, with no newline translation: created when
// missing, emptied only once this program holds it and no other program has
// it open. Throws FileFailure (Open), leaving the file as it was.
FileHandle openOutputFile(const std::string& name);

// The process's standard output as it is, for writing: a copy of its handle,
// never created, emptied, moved or locked, so that whatever it leads to (a
// terminal, a pipe, a file opened for appending) gets the bytes after what it
// holds. `name` names it in a failure. Throws FileFailure (Open) when there is
// no standard output.
FileHandle openStandardOutput(const std::string& name);

// True for the error of a write into a pipe whose reader has gone.
bool readerHasGone(int errorCode);

// The system's words for an error code, without a final full stop; a file held
// by another program is "The file is in use by another program".
std::string systemErrorText(int errorCode);

// `name` resolved against the current directory; `name` itself when it cannot be.
std::string fullPathName(const std::string& name);

}  // namespace korvel
