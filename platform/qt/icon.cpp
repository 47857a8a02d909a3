#include "platform/icon.h"

#include "platform/qt/native_icon.h"
#include "res/icon_group.h"

namespace korvel {

Icon Icon::load(int resourceId) {
  return Icon(std::make_shared<const Native>(Native{res::loadIconGroup(resourceId)}));
}

}  // namespace korvel
