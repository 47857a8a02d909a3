#pragma once

// The system resources behind the output file and the second threads, reached
// through replaceable entries so that tests can make each of them fail or slow
// down. Only the code that acquires these resources includes this header.

#include <cstddef>
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
