#include "platform/window/write_progress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <algorithm>

#include "platform/window/qt/dialog_units.h"
#include "platform/window/qt/dialog_window.h"

namespace korvel {
namespace {

// A write that has waited this long shows its progress.
constexpr qint64 kBarAfterMs = 1000;

}  // namespace

struct WriteProgress::State {
  State(DialogWindow& window, QRect barArea) : window(window), barArea(barArea) {}

  DialogWindow& window;
  QRect barArea;
  QProgressBar* bar = nullptr;  // a child of the window, made when first shown
  QElapsedTimer sinceFirstReport;
};

WriteProgress::WriteProgress(CDialog& dialog, DialogRect barArea)
    : state_(std::make_unique<State>(
          qtWindow(dialog),
          pixelRect(barArea.x, barArea.y, barArea.width, barArea.height, qtWindow(dialog).baseUnits()))) {}

WriteProgress::~WriteProgress() = default;

void WriteProgress::update(std::int32_t rowsWritten, std::int32_t rowCount) {
  State& s = *state_;
  if (!s.sinceFirstReport.isValid()) s.sinceFirstReport.start();
  if (s.sinceFirstReport.elapsed() >= kBarAfterMs) {
    if (s.bar == nullptr) {
      s.bar = new QProgressBar(&s.window);
      s.bar->setGeometry(s.barArea);
      s.bar->setFocusPolicy(Qt::NoFocus);
      s.bar->setAlignment(Qt::AlignCenter);
      s.bar->setFormat(QStringLiteral("%v of %m rows"));
    }
    s.bar->setRange(0, std::max<std::int32_t>(rowCount, 1));
    s.bar->setValue(std::clamp<std::int32_t>(rowsWritten, 0, std::max<std::int32_t>(rowCount, 1)));
    s.bar->show();
  }
  // Window-system events other than input: exposure, moves, repaints. Keys,
  // clicks and close requests wait in the queue until the command ends.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WriteProgress::end() {
  state_->sinceFirstReport.invalidate();
  if (state_->bar != nullptr) state_->bar->hide();
}

}  // namespace korvel
