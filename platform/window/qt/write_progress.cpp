#include "platform/window/write_progress.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>

#include "platform/window/qt/dialog_units.h"
#include "platform/window/qt/dialog_window.h"

namespace korvel {

struct WriteProgress::Native {
  DialogWindow& window;
  QRect barArea;
  QProgressBar* bar = nullptr;  // a child of the window, made when first shown
};

WriteProgress::WriteProgress(CDialog& dialog, DialogRect barArea, Clock clock)
    : native_(
          std::make_unique<Native>(Native{qtWindow(dialog), pixelRect(barArea.x, barArea.y, barArea.width,
                                                                      barArea.height, qtWindow(dialog).baseUnits())})),
      clock_(clock) {}

WriteProgress::~WriteProgress() = default;

void WriteProgress::showRows(std::int32_t rowsWritten, std::int32_t rowCount) {
  Native& n = *native_;
  if (n.bar == nullptr) {
    n.bar = new QProgressBar(&n.window);
    n.bar->setGeometry(n.barArea);
    n.bar->setFocusPolicy(Qt::NoFocus);
    n.bar->setAlignment(Qt::AlignCenter);
    n.bar->setFormat(QStringLiteral("%v of %m rows"));
  }
  n.bar->setRange(0, std::max<std::int32_t>(rowCount, 1));
  n.bar->setValue(std::clamp<std::int32_t>(rowsWritten, 0, std::max<std::int32_t>(rowCount, 1)));
  n.bar->show();
}

void WriteProgress::paintWithoutInput() {
  // Window-system events other than input: exposure, moves, repaints. Keys,
  // clicks and close requests wait in the queue until the command ends.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WriteProgress::finish(bool) {
  if (native_->bar != nullptr) native_->bar->hide();
}

}  // namespace korvel
