#pragma once

// The Qt icon behind an Icon.

#include <QIcon>

#include "platform/window/icon.h"

namespace korvel {

struct Icon::Native {
  QIcon icon;
};

}  // namespace korvel
