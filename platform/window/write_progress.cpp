// When a waiting write shows its progress, the same on every window system:
// from the report that comes a second or more after the write's first one, until
// the write ends. The bar and the painting are the window system's
// (qt/write_progress.cpp, win32/write_progress.cpp).

#include "platform/window/write_progress.h"

namespace korvel {

void WriteProgress::update(std::int32_t rowsWritten, std::int32_t rowCount) {
  const auto now = clock_();
  if (!firstReport_) firstReport_ = now;
  if (now - *firstReport_ >= kBarDelay) showRows(rowsWritten, rowCount);
  paintWithoutInput();
}

void WriteProgress::end() {
  const bool reported = firstReport_.has_value();
  firstReport_.reset();
  finish(reported);
}

}  // namespace korvel
