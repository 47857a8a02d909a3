#include "platform/window/busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace korvel {

void beginBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void endBusyCursor() {
  if (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

NormalPointerWhileWaiting::NormalPointerWhileWaiting() : pushed_(QApplication::overrideCursor() != nullptr) {
  if (pushed_) QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

NormalPointerWhileWaiting::~NormalPointerWhileWaiting() {
  if (pushed_) QApplication::restoreOverrideCursor();
}

}  // namespace korvel
