#pragma once

// The system's handle of an open file.

#include <cstdint>

namespace korvel {

#ifdef _WIN32
using FileHandle = void*;  // a HANDLE
inline const FileHandle kNoFile = reinterpret_cast<FileHandle>(static_cast<std::intptr_t>(-1));
#else
using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;
#endif

}  // namespace korvel
