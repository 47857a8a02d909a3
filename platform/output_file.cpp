#include "platform/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/background_writer.h"
#include "platform/file_failure.h"

namespace korvel {

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&::write, &::close};
  return calls;
}

namespace {

// An empty file is left alone: truncating it would change nothing, yet it has
// some file systems start writing the new contents back at the close.
bool truncateToEmpty(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  return info.st_size == 0 || ::ftruncate(fd, 0) == 0;
}

}  // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() {
  writer_.reset();  // the block in hand is finished before the file goes
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
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (S_ISREG(info.st_mode) && !truncateToEmpty(fd))) {
    const int error = errno;
    ::close(fd);
    throw FileFailure(FileFailure::Open, name, error);
  }
  if (!buffers_) buffers_ = std::make_unique<char[]>(2 * kOutputBufferSize);
  filling_ = buffers_.get();
  fd_ = fd;
}

void OutputFile::writeSpilling(const char* data, std::size_t size) {
  if (fd_ < 0) throw FileFailure(FileFailure::Write, name_, EBADF);
  while (size > 0) {
    if (used_ == kOutputBufferSize) flush();
    const std::size_t room = kOutputBufferSize - used_;
    const std::size_t part = size < room ? size : room;
    std::memcpy(filling_ + used_, data, part);
    used_ += part;
    data += part;
    size -= part;
  }
}

void OutputFile::flush() {
  const std::size_t size = used_;
  used_ = 0;  // after a failure the rest is dropped, never written later
  if (size == 0) return;
  if (!writer_) writer_ = std::make_unique<BackgroundWriter>(fd_);
  const int error = writer_->submit(filling_, size);
  if (error != 0) throw FileFailure(FileFailure::Write, name_, error);
  filling_ = filling_ == buffers_.get() ? buffers_.get() + kOutputBufferSize : buffers_.get();
}

void OutputFile::close() {
  if (fd_ < 0) return;
  // What is left goes out on this thread once the writer, if any, is done.
  int error = writer_ ? writer_->finish() : 0;
  writer_.reset();
  if (error == 0) error = writeAllBytes(fd_, filling_, used_);
  used_ = 0;
  const int fd = fd_;
  fd_ = -1;
  if (error != 0) {
    fileSystemCalls().close(fd);
    throw FileFailure(FileFailure::Write, name_, error);
  }
  if (fileSystemCalls().close(fd) != 0) throw FileFailure(FileFailure::Close, name_, errno);
}

}  // namespace korvel
