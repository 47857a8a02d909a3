// The form at a scale of 1.5 (QT_SCALE_FACTOR=1.5, or Xft.dpi 144).

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cmath>

#include "tests/support/qt/form_controls.h"

namespace korvel::test {
namespace {

// The colour met first from outside the list, walking in from `outside` by `step`.
QRgb firstColourInside(const QImage& picture, QPoint outside, QPoint step, QRgb background) {
  for (QPoint at = outside; picture.rect().contains(at); at += step) {
    if (picture.pixel(at) != background) return picture.pixel(at);
  }
  return background;
}

// The half-sine list shows its whole frame, right and bottom lines included,
// round the entries and round the scroll bar alike.
TEST(FractionalScale, TheHalfSineListKeepsItsWholeFrame) {
  CTimeHistoryDlg form;
  showActive(form);
  const QImage picture = qtWindow(form).grab().toImage();
  ASSERT_EQ(picture.devicePixelRatio(), 1.5);
  QListWidget* list = halfSineList(form);
  const QRectF area(QPointF(list->mapTo(&qtWindow(form), QPoint(0, 0))) * 1.5, QSizeF(list->size()) * 1.5);
  const QRgb background = picture.pixel(QPoint(int(area.left()) - 4, int(area.center().y())));

  const QRgb frame = firstColourInside(picture, QPoint(int(area.left()) - 3, int(area.top()) + 9), {1, 0}, background);
  EXPECT_NE(frame, qRgb(255, 255, 255));
  for (const double along : {0.15, 0.5, 0.85}) {
    SCOPED_TRACE(along);
    const int x = int(area.left() + along * area.width());
    const int y = int(area.top() + along * area.height());
    EXPECT_EQ(firstColourInside(picture, {int(area.left()) - 3, y}, {1, 0}, background), frame) << "left";
    EXPECT_EQ(firstColourInside(picture, {int(area.right()) + 3, y}, {-1, 0}, background), frame) << "right";
    EXPECT_EQ(firstColourInside(picture, {x, int(area.top()) - 3}, {0, 1}, background), frame) << "top";
    EXPECT_EQ(firstColourInside(picture, {x, int(area.bottom()) + 3}, {0, -1}, background), frame) << "bottom";
  }
}

}  // namespace
}  // namespace korvel::test
