#include "tests/support/qt/modal_watch.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

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

void enterFileName(QFileDialog& dialog, const QString& path) {
  (void)QTest::qWaitForWindowActive(&dialog, 2000);
  auto* name = qobject_cast<QLineEdit*>(dialog.focusWidget());
  if (name == nullptr) name = dialog.findChild<QLineEdit*>();
  if (name == nullptr) return;
  name->setFocus();
  name->setText(path);
  QTest::keyClick(name, Qt::Key_Return);
}

}  // namespace korvel::test
