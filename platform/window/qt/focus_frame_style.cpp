#include "platform/window/qt/focus_frame_style.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace korvel {
namespace {

// One pixel on, one off, round the inside of `rect`.
void drawDottedFrame(QPainter& painter, const QRect& rect, const QColor& colour) {
  const QRect r = rect.normalized();
  if (r.isEmpty()) return;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  for (int x = r.left(); x <= r.right(); x += 2) {
    painter.drawRect(x, r.top(), 1, 1);
    painter.drawRect(x, r.bottom(), 1, 1);
  }
  for (int y = r.top(); y <= r.bottom(); y += 2) {
    painter.drawRect(r.left(), y, 1, 1);
    painter.drawRect(r.right(), y, 1, 1);
  }
  painter.restore();
}

class FocusFrameStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameFocusRect) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    // The colour of the text it surrounds, on a selected list entry too.
    const bool selected = (option->state & State_Selected) != 0;
    drawDottedFrame(*painter, option->rect,
                    option->palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The stock style draws a push button's focus like its default state; a
    // frame inside the button tells them apart.
    if (element == CE_PushButton && (option->state & State_HasFocus) != 0) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(*option);
      focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
      drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
  }
};

}  // namespace

QStyle* focusFrameStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new FocusFrameStyle;
    style->setParent(qApp);
  }
  return style;
}

}  // namespace korvel
