#include "platform/system_calls.h"

#include <windows.h>

namespace korvel {
namespace {

std::int64_t writeFile(FileHandle file, const void* data, std::size_t size) {
  // WriteFile takes at most 4 GiB less one byte at a time; the rest is a short write.
  const DWORD part = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
  DWORD done = 0;
  if (!::WriteFile(file, data, part, &done, nullptr)) return -1;
  return done;
}

int closeFile(FileHandle file) { return ::CloseHandle(file) ? 0 : -1; }

int truncateFile(FileHandle file, std::int64_t length) {
  LARGE_INTEGER position;
  position.QuadPart = length;
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(file) ? 0 : -1;
}

}  // namespace

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&writeFile, &closeFile, &truncateFile};
  return calls;
}

int lastSystemError() { return static_cast<int>(::GetLastError()); }

const SystemErrors& systemErrors() {
  static constexpr SystemErrors errors{-1, ERROR_DISK_FULL, ERROR_NOT_ENOUGH_MEMORY, ERROR_INVALID_HANDLE};
  return errors;
}

}  // namespace korvel
