#pragma once

// An icon of the program's resources, shared by every window that shows it.

#include <memory>

namespace korvel {

class Icon {
 public:
  // The window system's own icon (qt/native_icon.h, win32/native_icon.h).
  struct Native;

  // The icon group `resourceId` of res/, in all its sizes.
  static Icon load(int resourceId);

  const Native& native() const { return *native_; }

 private:
  explicit Icon(std::shared_ptr<const Native> native) : native_(std::move(native)) {}
  std::shared_ptr<const Native> native_;
};

}  // namespace korvel
