#include "platform/qt/write_progress.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>

namespace korvel {
namespace {

// A write that has waited this long shows its progress.
constexpr qint64 kBarAfterMs = 1000;

}  // namespace

WriteProgress::WriteProgress(QWidget* window, QRect barArea) : window_(window), barArea_(barArea) {}

void WriteProgress::update(std::int32_t rowsWritten, std::int32_t rowCount) {
  if (!sinceFirstReport_.isValid()) sinceFirstReport_.start();
  if (sinceFirstReport_.elapsed() >= kBarAfterMs) {
    if (bar_ == nullptr) {
      bar_ = new QProgressBar(window_);
      bar_->setGeometry(barArea_);
      bar_->setFocusPolicy(Qt::NoFocus);
      bar_->setAlignment(Qt::AlignCenter);
      bar_->setFormat(QStringLiteral("%v of %m rows"));
    }
    bar_->setRange(0, std::max<std::int32_t>(rowCount, 1));
    bar_->setValue(std::clamp<std::int32_t>(rowsWritten, 0, std::max<std::int32_t>(rowCount, 1)));
    bar_->show();
  }
  // Window-system events other than input: exposure, moves, repaints. Keys,
  // clicks and close requests wait in the queue until the command ends.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WriteProgress::end() {
  sinceFirstReport_.invalidate();
  if (bar_ != nullptr) bar_->hide();
}

}  // namespace korvel
