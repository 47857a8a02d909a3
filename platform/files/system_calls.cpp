#include "platform/files/system_calls.h"

namespace korvel {

int writeAllBytes(FileHandle file, const char* data, std::size_t size, std::atomic<std::uint64_t>& written) {
  while (size > 0) {
    const auto done = fileSystemCalls().write(file, data, size);
    if (done < 0) {
      const int error = lastSystemError();
      if (error == systemErrors().interrupted) continue;
      return error;
    }
    if (done == 0) return systemErrors().diskFull;
    written.fetch_add(static_cast<std::uint64_t>(done), std::memory_order_relaxed);
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return 0;
}

}  // namespace korvel
