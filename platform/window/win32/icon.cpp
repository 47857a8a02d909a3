#include "platform/window/icon.h"

#include "platform/window/win32/native_icon.h"

namespace korvel {

// Loaded once, at the system's standard icon size: the window sends this one
// handle as its large and its small icon, and the system scales it where a
// smaller one is shown.
Icon Icon::load(int resourceId) {
  auto native = std::make_shared<Native>();
  native->icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
  return Icon(std::move(native));
}

}  // namespace korvel
