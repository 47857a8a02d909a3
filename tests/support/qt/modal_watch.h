#pragma once

// Helpers for tests that open modal windows: act on a window once it is on top,
// and a watchdog that ends every modal loop so that no test can hang.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <type_traits>

#include "platform/window/qt/dialog_window.h"

class QFileDialog;

namespace korvel::test {

// The result a dialog ends with when the watchdog closes it.
inline constexpr int kClosedByWatchdog = 0x7A7A;

// Closes every popup and modal window when `limitMs` pass before destruction.
class ModalWatchdog {
 public:
  explicit ModalWatchdog(int limitMs = 5000);
  ~ModalWatchdog();
  ModalWatchdog(const ModalWatchdog&) = delete;
  ModalWatchdog& operator=(const ModalWatchdog&) = delete;
  bool fired() const { return fired_; }

 private:
  QTimer timer_;
  bool fired_ = false;
};

// The popup menu or modal window on top, if any.
QWidget* windowOnTop();

// Types `path` into the file name field of a file dialog and presses Enter, as
// a user does. Waits until the dialog is active first: the dialog moves the
// focus into its name field only then, and from then on ignores selectFile.
void enterFileName(QFileDialog& dialog, const QString& path);

// Runs `action` once, as soon as a window of type W, or a dialog of type W, is
// on top (popup menus count). The poll stops after the action has run or when
// `limitMs` pass.
template <class W>
void whenOnTop(std::function<void(W&)> action, int limitMs = 5000) {
  auto* poll = new QTimer(qApp);
  auto* elapsed = new int(0);
  QObject::connect(poll, &QTimer::timeout, qApp, [poll, elapsed, action = std::move(action), limitMs] {
    *elapsed += poll->interval();
    W* window = nullptr;
    if constexpr (std::is_base_of_v<CDialog, W>) {
      window = dynamic_cast<W*>(dialogOf(windowOnTop()));
    } else {
      window = dynamic_cast<W*>(windowOnTop());
    }
    if (window == nullptr && *elapsed < limitMs) return;
    poll->stop();
    poll->deleteLater();
    delete elapsed;
    if (window != nullptr) action(*window);
  });
  poll->start(10);
}

}  // namespace korvel::test
