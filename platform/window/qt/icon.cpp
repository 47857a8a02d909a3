#include "platform/window/icon.h"

#include "platform/window/qt/icon_group.h"
#include "platform/window/qt/native_icon.h"

namespace korvel {

Icon Icon::load(int resourceId) { return Icon(std::make_shared<const Native>(Native{loadIconGroup(resourceId)})); }

}  // namespace korvel
