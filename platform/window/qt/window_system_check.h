#pragma once

// Whether the desktop program can open a window at all, asked before Qt is
// started: Qt itself ends a program that cannot reach its window system with an
// abort and advice to reinstall it.

#include <string>

namespace korvel {

// Empty when the window system Qt will start on can be reached, or when only
// Qt can tell; otherwise what is missing and how to start `program` so that it
// can show its window, for standard error.
std::string windowSystemProblem(const std::string& program);

// What to say when Qt found no window system to start on after all, before the
// program ends: `qtReason` is Qt's own first line.
std::string windowSystemFailure(const std::string& program, const std::string& qtReason);

}  // namespace korvel
