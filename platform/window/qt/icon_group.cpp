#include "platform/window/qt/icon_group.h"

#include "res/resource_ids.h"

namespace korvel {

QIcon loadIconGroup(int id) {
  QIcon icon;
  if (id == res::IDR_MAINFRAME) {
    icon.addFile(QStringLiteral(":/korvel/icons/korvel-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/korvel/icons/korvel-16.png"), QSize(16, 16));
  }
  return icon;
}

}  // namespace korvel
