#pragma once

// The freedesktop desktop entry that installs korvel in the desktop's menus. It
// carries the version block as X-Korvel-* keys.

#include <string>

namespace korvel::res {

std::string desktopEntryText();

}  // namespace korvel::res
