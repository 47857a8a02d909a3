#pragma once

// A dialog while a long write waits on slow storage: it keeps painting, user
// input (its close box too) does not reach it and does not act once the write
// ends either, and once the write has lasted about a second a bar in it shows
// the rows written. The busy cursor stays as it is.

#include <cstdint>
#include <memory>

namespace korvel {

class CDialog;

// A rectangle in the dialog units of a template.
struct DialogRect {
  int x, y, width, height;
};

class WriteProgress {
 public:
  // The bar, when it shows, covers `barArea` of `dialog`.
  WriteProgress(CDialog& dialog, DialogRect barArea);
  ~WriteProgress();
  WriteProgress(const WriteProgress&) = delete;
  WriteProgress& operator=(const WriteProgress&) = delete;

  // One report of the waiting write: paints whatever is pending, delivers no
  // user input, and shows or moves the bar once the write has lasted a second.
  void update(std::int32_t rowsWritten, std::int32_t rowCount);
  // The write has ended: the bar goes, and the next write is timed afresh.
  void end();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace korvel
