#include "platform/system_calls.h"

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

namespace korvel {

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&::write, &::close, &::flock, &::ftruncate};
  return calls;
}

int writeAllBytes(int fd, const char* data, std::size_t size, std::atomic<std::uint64_t>& written) {
  while (size > 0) {
    const ssize_t done = fileSystemCalls().write(fd, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (done == 0) return ENOSPC;
    written.fetch_add(static_cast<std::uint64_t>(done), std::memory_order_relaxed);
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return 0;
}

ResourceCalls& resourceCalls() {
  static ResourceCalls calls{
      [](std::size_t size) { return std::make_unique_for_overwrite<char[]>(size); },
      [](std::function<void()> body) { return std::thread(std::move(body)); },
  };
  return calls;
}

}  // namespace korvel
