#include "platform/window/qt/fixed_window.h"

#include <QEvent>
#include <QWidget>

namespace korvel {
namespace {

constexpr Qt::WindowStates kLargeStates = Qt::WindowMaximized | Qt::WindowFullScreen;

class NormalStateKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      auto* window = static_cast<QWidget*>(watched);
      const Qt::WindowStates state = window->windowState();
      if ((state & kLargeStates) != 0) window->setWindowState(state & ~kLargeStates);
    }
    return false;
  }
};

}  // namespace

void keepWindowNormal(QWidget& window) { window.installEventFilter(new NormalStateKeeper(&window)); }

}  // namespace korvel
