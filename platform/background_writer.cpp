#include "platform/background_writer.h"

#include <cerrno>

#include "platform/output_file.h"

namespace korvel {

int writeAllBytes(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = fileSystemCalls().write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

BackgroundWriter::BackgroundWriter(int fd) : fd_(fd), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return data_ == nullptr; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

int BackgroundWriter::submit(const char* data, std::size_t size) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return data_ == nullptr; });
    if (error_ != 0) return error_;
    data_ = data;
    size_ = size;
  }
  changed_.notify_all();
  return 0;
}

int BackgroundWriter::finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return data_ == nullptr; });
  return error_;
}

void BackgroundWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return data_ != nullptr || stopping_; });
    if (data_ == nullptr) return;
    const char* data = data_;
    const std::size_t size = size_;
    lock.unlock();
    const int error = writeAllBytes(fd_, data, size);
    lock.lock();
    if (error_ == 0) error_ = error;
    data_ = nullptr;
    changed_.notify_all();
  }
}

}  // namespace korvel
