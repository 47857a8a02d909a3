#include "platform/window/qt/whole_pixel_frame.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <cmath>

namespace korvel {
namespace {

// The device pixels a widget shows are those whose centres lie inside its
// area in device coordinates.
QRect shownDevicePixels(const QRectF& area) {
  const int left = static_cast<int>(std::floor(area.left() - 0.5)) + 1;
  const int top = static_cast<int>(std::floor(area.top() - 0.5)) + 1;
  const int right = static_cast<int>(std::ceil(area.right() - 0.5)) - 1;
  const int bottom = static_cast<int>(std::ceil(area.bottom() - 0.5)) - 1;
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

class WholePixelFrame : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* frame = static_cast<QFrame*>(watched);
    const qreal ratio = frame->devicePixelRatioF();
    if (ratio == std::floor(ratio) || frame->frameShape() == QFrame::NoFrame) return false;

    QPainter painter(frame);
    const QTransform toDevice = painter.deviceTransform();
    const QRect pixels = shownDevicePixels(toDevice.mapRect(QRectF(frame->rect())));
    painter.setWorldTransform(toDevice.inverted());
    // Between the frame and the viewport and scroll bar: the list's own ground.
    painter.fillRect(pixels, frame->palette().base());
    QStyleOptionFrame option;
    option.initFrom(frame);
    option.rect = pixels;
    option.frameShape = frame->frameShape();
    option.lineWidth = frame->lineWidth();
    option.midLineWidth = frame->midLineWidth();
    if (frame->frameShadow() == QFrame::Sunken) option.state |= QStyle::State_Sunken;
    if (frame->frameShadow() == QFrame::Raised) option.state |= QStyle::State_Raised;
    frame->style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, frame);
    return true;
  }
};

}  // namespace

void keepFrameOnWholePixels(QAbstractScrollArea& area) { area.installEventFilter(new WholePixelFrame(&area)); }

}  // namespace korvel
