#pragma once

// The program's name for captions: the executable's file name without its
// extension ("korvel" for C:\Tools\korvel.exe).

#include <string>
#include <string_view>

namespace korvel {

std::string applicationName();

// The name in a full path: after the last \ or /, before the last dot.
std::string applicationNameFor(std::string_view executablePath);

}  // namespace korvel
