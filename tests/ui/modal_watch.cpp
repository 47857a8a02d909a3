#include "tests/ui/modal_watch.h"

namespace korvel::test {

ModalWatchdog::ModalWatchdog(int limitMs) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    fired_ = true;
    for (int i = 0; i < 16; ++i) {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
      } else if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
          dialog->done(kClosedByWatchdog);
        } else {
          modal->close();
        }
      } else {
        break;
      }
    }
  });
  timer_.start(limitMs);
}

ModalWatchdog::~ModalWatchdog() { timer_.stop(); }

QWidget* windowOnTop() {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  return QApplication::activeModalWidget();
}

}  // namespace korvel::test
