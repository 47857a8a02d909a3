#pragma once

// A window while a long write waits on slow storage: it keeps painting, user
// input (its close box too) stays queued until the command ends, and once
// the write has lasted about a second a bar in it shows the rows written. The
// busy cursor stays as it is.

#include <QElapsedTimer>
#include <QRect>
#include <cstdint>

class QProgressBar;
class QWidget;

namespace korvel {

class WriteProgress {
 public:
  // The bar, when it shows, covers `barArea` of `window` (in pixels).
  WriteProgress(QWidget* window, QRect barArea);
  WriteProgress(const WriteProgress&) = delete;
  WriteProgress& operator=(const WriteProgress&) = delete;

  // One report of the waiting write: paints whatever is pending, delivers no
  // user input, and shows or moves the bar once the write has lasted a second.
  void update(std::int32_t rowsWritten, std::int32_t rowCount);
  // The write has ended: the bar goes, and the next write is timed afresh.
  void end();

 private:
  QWidget* window_;
  QRect barArea_;
  QProgressBar* bar_ = nullptr;  // a child of window_, made when first shown
  QElapsedTimer sinceFirstReport_;
};

}  // namespace korvel
