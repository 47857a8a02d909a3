#pragma once

// Passes blocks of bytes to the system on a second thread, one block at a time
// and in the order handed over, so that filling the next block overlaps the
// system's copying of the last one. After a failed block nothing more is written.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace korvel {

// Writes all `size` bytes through fileSystemCalls().write, retrying after EINTR
// and short writes. Returns 0, or the error code of the failure.
int writeAllBytes(int fd, const char* data, std::size_t size);

class BackgroundWriter {
 public:
  explicit BackgroundWriter(int fd);
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  // Waits for the block in hand, then ends the thread.
  ~BackgroundWriter();

  // Waits until the previous block is written, then takes this one, which must
  // stay untouched until the next call. Returns the error code of an earlier
  // failure (and then drops the block), or 0.
  int submit(const char* data, std::size_t size);
  // Waits until the block in hand is written. Returns the first failure's error code, or 0.
  int finish();

 private:
  void run();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  const char* data_ = nullptr;  // the block in hand, null when none
  std::size_t size_ = 0;
  int error_ = 0;
  bool stopping_ = false;
  std::thread thread_;  // last: starts once everything above is set up
};

}  // namespace korvel
