#include "platform/qt/busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace korvel {

void beginBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void endBusyCursor() {
  if (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

}  // namespace korvel
