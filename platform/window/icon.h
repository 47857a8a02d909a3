#pragma once

// An icon of the program's resources, shared by every window that shows it.

#include <memory>

namespace korvel {

class Icon {
 public:
  // The icon group `resourceId` of res/, in all its sizes.
  static Icon load(int resourceId);

  struct Native;  // the platform's own icon
  const Native& native() const { return *native_; }

 private:
  explicit Icon(std::shared_ptr<const Native> native) : native_(std::move(native)) {}
  std::shared_ptr<const Native> native_;
};

}  // namespace korvel
