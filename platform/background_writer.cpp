#include "platform/background_writer.h"

#include <cerrno>
#include <chrono>

#include "platform/system_calls.h"

namespace korvel {
namespace {

constexpr std::chrono::milliseconds kCallbackInterval{100};

}  // namespace

BackgroundWriter::BackgroundWriter() : thread_(tryStartThread([this] { run(); })) {}

BackgroundWriter::~BackgroundWriter() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return job_ == Job::None; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundWriter::startFile() {
  std::unique_lock lock(mutex_);
  waitIdle(lock);
  error_ = 0;
  closeError_ = 0;
  written_.store(0, std::memory_order_relaxed);
}

void BackgroundWriter::doJob(Job job, int fd, const char* data, std::size_t size) {
  if (job == Job::Write) {
    const int error = writeAllBytes(fd, data, size, written_);
    if (error_ == 0) error_ = error;
  } else {
    closeError_ = fileSystemCalls().close(fd) == 0 ? 0 : errno;
  }
}

void BackgroundWriter::waitIdle(std::unique_lock<std::mutex>& lock) {
  while (!changed_.wait_for(lock, kCallbackInterval, [this] { return job_ == Job::None; })) {
    if (!waitCallback_) continue;
    lock.unlock();
    waitCallback_(bytesWritten());
    lock.lock();
  }
}

int BackgroundWriter::submit(int fd, const char* data, std::size_t size) {
  if (!thread_.joinable()) {
    if (error_ == 0) doJob(Job::Write, fd, data, size);
    return error_;
  }
  {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    if (error_ != 0) return error_;
    job_ = Job::Write;
    fd_ = fd;
    data_ = data;
    size_ = size;
  }
  changed_.notify_all();
  return 0;
}

int BackgroundWriter::finish() {
  std::unique_lock lock(mutex_);
  waitIdle(lock);
  return error_;
}

int BackgroundWriter::close(int fd) {
  if (!thread_.joinable()) {
    doJob(Job::Close, fd, nullptr, 0);
    return closeError_;
  }
  std::unique_lock lock(mutex_);
  waitIdle(lock);
  job_ = Job::Close;
  fd_ = fd;
  lock.unlock();
  changed_.notify_all();
  lock.lock();
  waitIdle(lock);
  return closeError_;
}

void BackgroundWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return job_ != Job::None || stopping_; });
    if (job_ == Job::None) return;
    const Job job = job_;
    const int fd = fd_;
    const char* data = data_;
    const std::size_t size = size_;
    lock.unlock();
    doJob(job, fd, data, size);
    lock.lock();
    job_ = Job::None;
    changed_.notify_all();
  }
}

}  // namespace korvel
