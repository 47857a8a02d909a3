#pragma once

// Passes blocks of bytes to the system on a second thread, one block at a time
// and in the order handed over, so that filling the next block overlaps the
// system's copying of the last one; the file's close goes the same way. While
// the caller waits for the thread, it is called back about ten times a second.
// After a failed block nothing more is written. When no thread can start,
// every block is written, and the file closed, on the caller's thread.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/files/file_handle.h"

namespace korvel {

class BackgroundWriter {
 public:
  // Called while a wait for the system lasts, with the bytes it has taken so far.
  using WaitCallback = std::function<void(std::uint64_t bytesWritten)>;

  // Starts the thread if the system can.
  BackgroundWriter();
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  // Waits for the job in hand, then ends the thread.
  ~BackgroundWriter();

  void setWaitCallback(WaitCallback callback) { waitCallback_ = std::move(callback); }
  // Forgets the last file's failure and count, for the next file.
  void startFile();

  // Waits until the previous block is written, then takes this one, which must
  // stay untouched until the next call. Returns the error code of an earlier
  // failure (and then drops the block), or 0.
  int submit(FileHandle file, const char* data, std::size_t size);
  // Waits until every block handed over is written. Returns the first failure's error code, or 0.
  int finish();
  // Closes `file` once every block is written. Returns close's error code, or 0.
  int close(FileHandle file);
  // The bytes the system has taken since startFile().
  std::uint64_t bytesWritten() const { return written_.load(std::memory_order_relaxed); }

 private:
  enum class Job { None, Write, Close };
  void run();
  void doJob(Job job, FileHandle file, const char* data, std::size_t size);
  void waitIdle(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable changed_;
  Job job_ = Job::None;  // the job in hand
  FileHandle file_ = kNoFile;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  int error_ = 0;       // the first failed write's
  int closeError_ = 0;  // the last close's
  bool stopping_ = false;
  std::atomic<std::uint64_t> written_{0};
  WaitCallback waitCallback_;
  std::thread thread_;  // last: starts once everything above is set up; empty without a thread
};

}  // namespace korvel
