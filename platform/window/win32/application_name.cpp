#include "platform/window/win32/application_name.h"

#include <windows.h>

namespace korvel {

std::string applicationNameFor(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

std::string applicationName() {
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return applicationNameFor(std::string_view(path, length));
}

}  // namespace korvel
