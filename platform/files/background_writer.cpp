#include "platform/files/background_writer.h"

#include <chrono>

#include "platform/files/system_calls.h"
#include "platform/process/resource_calls.h"

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

void BackgroundWriter::doJob(Job job, FileHandle file, const char* data, std::size_t size) {
  if (job == Job::Write) {
    const int error = writeAllBytes(file, data, size, written_);
    if (error_ == 0) error_ = error;
  } else {
    closeError_ = fileSystemCalls().close(file) == 0 ? 0 : lastSystemError();
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

int BackgroundWriter::submit(FileHandle file, const char* data, std::size_t size) {
  if (!thread_.joinable()) {
    if (error_ == 0) doJob(Job::Write, file, data, size);
    return error_;
  }
  {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    if (error_ != 0) return error_;
    job_ = Job::Write;
    file_ = file;
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

int BackgroundWriter::close(FileHandle file) {
  if (!thread_.joinable()) {
    doJob(Job::Close, file, nullptr, 0);
    return closeError_;
  }
  std::unique_lock lock(mutex_);
  waitIdle(lock);
  job_ = Job::Close;
  file_ = file;
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
    const FileHandle file = file_;
    const char* data = data_;
    const std::size_t size = size_;
    lock.unlock();
    doJob(job, file, data, size);
    lock.lock();
    job_ = Job::None;
    changed_.notify_all();
  }
}

}  // namespace korvel
