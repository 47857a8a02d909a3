#pragma once

// The Win32 icon behind an Icon: one handle to the group at the system's icon
// size, shared by every window that shows it and never destroyed.

#include <windows.h>

#include "platform/window/icon.h"

namespace korvel {

struct Icon::Native {
  HICON icon = nullptr;
};

}  // namespace korvel
