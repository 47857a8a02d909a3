#pragma once

// The system calls behind the output file, reached through replaceable entries
// so that tests can make each of them fail or slow down, and the whole-block
// write on them. Only the file service's code, and the tests, include this
// header; its memory and threads come from platform/process/resource_calls.h.
//
// A failed entry returns -1 and leaves its reason where the system keeps it
// (errno on POSIX, the thread's last error on Windows): lastSystemError().

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/files/file_handle.h"

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace korvel {

#ifdef _WIN32
struct FileSystemCalls {
  std::int64_t (*write)(FileHandle file, const void* data, std::size_t size);  // WriteFile
  int (*close)(FileHandle file);                                               // CloseHandle
  int (*truncate)(FileHandle file, std::int64_t length);                       // SetFilePointerEx and SetEndOfFile
};
#else
struct FileSystemCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*close)(int fd);
  int (*lock)(int fd, int operation);     // flock
  int (*truncate)(int fd, off_t length);  // ftruncate
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

}  // namespace korvel
