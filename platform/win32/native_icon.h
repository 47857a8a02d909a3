#pragma once

// The Win32 icon behind an Icon: the group's big and small images.

#include <windows.h>

#include "platform/icon.h"

namespace korvel {

struct Icon::Native {
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  ~Native();
};

}  // namespace korvel
