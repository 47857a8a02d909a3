#include <windows.h>

#include <memory>

#include "platform/files/system_file.h"

namespace korvel {

std::string systemErrorText(int errorCode) {
  if (errorCode == ERROR_SHARING_VIOLATION || errorCode == ERROR_LOCK_VIOLATION) {
    return "The file is in use by another program";
  }
  char* buffer = nullptr;
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(errorCode), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       reinterpret_cast<char*>(&buffer), 0, nullptr);
  const std::unique_ptr<char, decltype(&::LocalFree)> owned(buffer, &::LocalFree);
  std::string text = length == 0 ? "System error " + std::to_string(errorCode) : std::string(buffer, length);
  // The system's texts end in a full stop and a line break; the reports add their own.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

std::string fullPathName(const std::string& name) {
  if (name.empty()) return name;
  const DWORD size = ::GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::string path(size, '\0');
  const DWORD length = ::GetFullPathNameA(name.c_str(), size, path.data(), nullptr);
  if (length == 0 || length >= size) return name;
  path.resize(length);
  return path;
}

}  // namespace korvel
