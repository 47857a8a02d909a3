#pragma once

// The system resources behind the output file and the second threads, reached
// through replaceable entries so that tests can make each of them fail or slow
// down, and the whole-block write on them. Only the code that acquires these
// resources, and the tests, include this header.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <sys/types.h>
#include <system_error>
#include <thread>
#include <utility>

namespace korvel {

struct FileSystemCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*close)(int fd);
  int (*lock)(int fd, int operation);      // flock
  int (*truncate)(int fd, off_t length);   // ftruncate
};
FileSystemCalls& fileSystemCalls();

// Writes all `size` bytes through fileSystemCalls(), retrying after EINTR and
// short writes, counting what the system takes. Returns 0, or the error code of
// the failure.
int writeAllBytes(int fd, const char* data, std::size_t size, std::atomic<std::uint64_t>& written);

struct ResourceCalls {
  // Uninitialised memory; throws std::bad_alloc when there is none.
  std::unique_ptr<char[]> (*allocate)(std::size_t size);
  // A thread running `body`; throws std::system_error (or std::bad_alloc) when none can start.
  std::thread (*startThread)(std::function<void()> body);
};
ResourceCalls& resourceCalls();

// Starts `body` on a second thread through resourceCalls(); an empty thread
// when the system cannot start one, and then nothing has run.
template <class Body>
std::thread tryStartThread(Body&& body) {
  try {
    return resourceCalls().startThread(std::function<void()>(std::forward<Body>(body)));
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
  return {};
}

}  // namespace korvel
