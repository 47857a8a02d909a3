#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/file_failure.h"
#include "platform/files/system_file.h"

namespace korvel {
namespace {

// A write past the file-size limit, or into a pipe whose reader has gone, is
// then a failed write with the system's reason instead of the process's end.
void ignoreWriteSignals() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
  });
}

// An empty file is left alone: truncating it would change nothing, yet it has
// some file systems start writing the new contents back at the close.
bool truncateToEmpty(int fd, const struct stat& info) { return info.st_size == 0 || ::ftruncate(fd, 0) == 0; }

[[noreturn]] void failOpen(int fd, const std::string& name, int error, std::string description = {}) {
  if (fd >= 0) ::close(fd);
  throw FileFailure(FileFailure::Open, name, error, std::move(description));
}

}  // namespace

// A regular file is held under an exclusive advisory lock.
FileHandle openOutputFile(const std::string& name) {
  ignoreWriteSignals();
  // Without blocking, so that a named pipe with no reader fails instead of
  // waiting for one; writes then block as usual.
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int error = errno;
    struct stat info = {};
    if (error == ENXIO && ::stat(name.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
      failOpen(-1, name, error, "No program is reading from it");
    }
    failOpen(-1, name, error);
  }
  struct stat info = {};
  if (::fstat(fd, &info) != 0) failOpen(fd, name, errno);
  if (S_ISDIR(info.st_mode)) failOpen(fd, name, EISDIR);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) failOpen(fd, name, errno);
  if (S_ISREG(info.st_mode)) {
    // Only a lock held by another program refuses the file; where the file
    // system offers no locks, the file is written unlocked. The truncation
    // waits for the lock, so a file in use elsewhere is left intact.
    if (fileSystemCalls().lock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) failOpen(fd, name, EWOULDBLOCK);
    if (!truncateToEmpty(fd, info)) failOpen(fd, name, errno);
  }
  return fd;
}

FileHandle openStandardOutput(const std::string& name) {
  ignoreWriteSignals();
  const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) failOpen(-1, name, errno);
  return fd;
}

bool readerHasGone(int errorCode) { return errorCode == EPIPE; }

}  // namespace korvel
