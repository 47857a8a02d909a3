#pragma once

// A dialog while a long write waits on slow storage: it keeps painting, user
// input (its close box too) does not reach it and does not act once the write
// ends either, and once the write has lasted a second a bar in it shows the
// rows written. The busy cursor stays as it is. When the bar shows is decided
// here, the same on every window system (write_progress.cpp); the bar and the
// painting are each one's own.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace korvel {

class CDialog;

// A rectangle in the dialog units of a template.
struct DialogRect {
  int x, y, width, height;
};

class WriteProgress {
 public:
  // What a write's duration is measured by: the steady clock, or a test's own.
  using Clock = std::chrono::steady_clock::time_point (*)();
  static std::chrono::steady_clock::time_point steadyClock() { return std::chrono::steady_clock::now(); }
  // A write that has waited this long shows its progress.
  static constexpr std::chrono::milliseconds kBarDelay{1000};

  // The bar, when it shows, covers `barArea` of `dialog`.
  WriteProgress(CDialog& dialog, DialogRect barArea, Clock clock = &steadyClock);
  ~WriteProgress();
  WriteProgress(const WriteProgress&) = delete;
  WriteProgress& operator=(const WriteProgress&) = delete;

  // One report of the waiting write: shows or moves the bar once the write has
  // lasted kBarDelay since its first report, paints whatever is pending and
  // delivers no user input.
  void update(std::int32_t rowsWritten, std::int32_t rowCount);
  // The write has ended: the bar goes, and the next write is timed afresh.
  void end();

 private:
  // The window system's own bar (qt/write_progress.cpp, win32/write_progress.cpp).
  struct Native;

  // The window system's part: shows the bar (made when first shown) with these
  // rows; paints what is pending while keys, clicks and close requests are
  // held back; after the write, takes the bar away and, when the write was
  // reported (`reported`), makes sure no input made meanwhile acts later.
  void showRows(std::int32_t rowsWritten, std::int32_t rowCount);
  void paintWithoutInput();
  void finish(bool reported);

  std::unique_ptr<Native> native_;
  Clock clock_;
  std::optional<std::chrono::steady_clock::time_point> firstReport_;  // of the write in hand
};

}  // namespace korvel
