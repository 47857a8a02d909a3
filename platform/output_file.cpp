#include "platform/output_file.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/background_writer.h"
#include "platform/file_failure.h"
#include "platform/system_calls.h"

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

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() {
  if (fd_ >= 0) {
    if (writer_) writer_->setWaitCallback({});
    // The block in hand is finished before the file goes.
    if (writer_) writer_->finish();
    fileSystemCalls().close(fd_);
  }
}

void OutputFile::setWaitCallback(std::function<void(std::uint64_t)> callback) {
  if (writer_) writer_->setWaitCallback(std::move(callback));
}

void OutputFile::acquireResources(const std::string& name) {
  try {
    if (!buffers_) buffers_ = resourceCalls().allocate(2 * kOutputBufferSize);
    if (!writer_) writer_ = std::make_unique<BackgroundWriter>();
  } catch (const std::bad_alloc&) {
    failOpen(-1, name, ENOMEM, "Not enough memory to write it; the file was not touched");
  }
}

void OutputFile::open(const std::string& name, std::size_t recordSize) {
  if (fd_ >= 0) close();
  name_ = name;
  recordSize_ = recordSize == 0 ? 1 : recordSize;
  used_ = 0;
  acquireResources(name);
  writer_->setWaitCallback({});
  writer_->startFile();
  ignoreWriteSignals();

  // Without blocking, so that a named pipe with no reader fails instead of
  // waiting for one; writes then block as usual.
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int error = errno;
    struct stat info {};
    if (error == ENXIO && ::stat(name.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
      failOpen(-1, name, error, "No program is reading from it");
    }
    failOpen(-1, name, error);
  }
  struct stat info {};
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
  const int error = writer_->submit(fd_, filling_, size);
  if (error != 0) throw FileFailure(FileFailure::Write, name_, error, {}, cutBackToWholeRecords(fd_));
  filling_ = filling_ == buffers_.get() ? buffers_.get() + kOutputBufferSize : buffers_.get();
}

int OutputFile::cutBackToWholeRecords(int fd) {
  // The writer has stopped at the failure: what the system took is final.
  const std::uint64_t written = writer_->bytesWritten();
  const std::uint64_t partial = written % recordSize_;
  if (partial == 0 || fileSystemCalls().truncate(fd, static_cast<off_t>(written - partial)) == 0) return 0;
  return errno;
}

void OutputFile::close() {
  if (fd_ < 0) return;
  // What is left goes out on the writer's thread, and so does the close, so
  // that a slow device keeps calling back.
  int error = used_ == 0 ? 0 : writer_->submit(fd_, filling_, used_);
  used_ = 0;
  if (error == 0) error = writer_->finish();
  const int fd = fd_;
  fd_ = -1;
  if (error != 0) {
    const int cutBackError = cutBackToWholeRecords(fd);
    fileSystemCalls().close(fd);
    throw FileFailure(FileFailure::Write, name_, error, {}, cutBackError);
  }
  error = writer_->close(fd);
  if (error != 0) throw FileFailure(FileFailure::Close, name_, error);
}

}  // namespace korvel
