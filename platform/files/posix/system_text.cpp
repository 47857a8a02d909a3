#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files/system_file.h"

namespace korvel {

std::string systemErrorText(int errorCode) {
  // A lock held elsewhere is the one failure whose system words mislead.
  if (errorCode == EWOULDBLOCK) return "The file is in use by another program";
  return std::strerror(errorCode);
}

std::string fullPathName(const std::string& name) {
  if (name.empty()) return name;
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  return error ? name : path.string();
}

}  // namespace korvel
