#pragma once

// The system resources behind the output file and the second threads, reached
// through replaceable entries so that tests can make each of them fail or slow
// down, and the whole-block write on them. Only the code that acquires these
// resources, and the tests, include this header.
//
// A failed entry returns -1 and leaves its reason where the system keeps it
// (errno on POSIX, the thread's last error on Windows): lastSystemError().

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/files/file_handle.h"

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace korvel {

#ifdef _WIN32
struct FileSystemCalls {
  std::int64_t (*write)(FileHandle file, const void* data, std::size_t size);  // WriteFile
  int (*close)(FileHandle file);                                               // CloseHandle
  int (*truncate)(FileHandle file, std::int64_t length);  // SetFilePointerEx and SetEndOfFile
};
#else
struct FileSystemCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*close)(int fd);
  int (*lock)(int fd, int operation);      // flock
  int (*truncate)(int fd, off_t length);   // ftruncate
};
#endif
FileSystemCalls& fileSystemCalls();

// The reason of the last failed system call on this thread.
int lastSystemError();

// Error codes in the system's own numbering.
struct SystemErrors {
  int interrupted;  // a call to repeat; never set on Windows
  int diskFull;
  int outOfMemory;
  int notOpen;
};
const SystemErrors& systemErrors();

// Writes all `size` bytes through fileSystemCalls(), retrying after an
// interruption and short writes, counting what the system takes. Returns 0, or
// the error code of the failure.
int writeAllBytes(FileHandle file, const char* data, std::size_t size, std::atomic<std::uint64_t>& written);

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
