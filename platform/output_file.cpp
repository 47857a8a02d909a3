#include "platform/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_failure.h"

namespace korvel {

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&::write, &::close};
  return calls;
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) fileSystemCalls().close(fd_);
}

void OutputFile::open(const std::string& name) {
  if (fd_ >= 0) close();
  name_ = name;
  used_ = 0;
  // Truncate only once the lock is ours, so a file in use elsewhere is left intact.
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw FileFailure(FileFailure::Open, name, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = errno ? errno : EISDIR;
    ::close(fd);
    throw FileFailure(FileFailure::Open, name, error);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (S_ISREG(info.st_mode) && ::ftruncate(fd, 0) != 0)) {
    const int error = errno;
    ::close(fd);
    throw FileFailure(FileFailure::Open, name, error);
  }
  if (!buffer_) buffer_ = std::make_unique<char[]>(kOutputBufferSize);
  fd_ = fd;
}

void OutputFile::write(const char* data, std::size_t size) {
  if (fd_ < 0) throw FileFailure(FileFailure::Write, name_, EBADF);
  while (size > 0) {
    if (used_ == kOutputBufferSize) flush();
    const std::size_t room = kOutputBufferSize - used_;
    const std::size_t part = size < room ? size : room;
    std::memcpy(buffer_.get() + used_, data, part);
    used_ += part;
    data += part;
    size -= part;
  }
}

void OutputFile::flush() {
  const char* data = buffer_.get();
  std::size_t left = used_;
  used_ = 0;  // after a failure the rest is dropped, never written later
  while (left > 0) {
    const ssize_t written = fileSystemCalls().write(fd_, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileFailure(FileFailure::Write, name_, errno);
    }
    if (written == 0) throw FileFailure(FileFailure::Write, name_, ENOSPC);
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

void OutputFile::close() {
  if (fd_ < 0) return;
  try {
    flush();
  } catch (...) {
    fileSystemCalls().close(fd_);
    fd_ = -1;
    throw;
  }
  const int fd = fd_;
  fd_ = -1;
  if (fileSystemCalls().close(fd) != 0) throw FileFailure(FileFailure::Close, name_, errno);
}

}  // namespace korvel
