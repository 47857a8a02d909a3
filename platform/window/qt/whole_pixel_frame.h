#pragma once

// A scrolling control's frame at a fractional scale (1.5 for QT_SCALE_FACTOR=1.5
// or Xft.dpi 144).

class QAbstractScrollArea;

namespace korvel {

// At a fractional device pixel ratio the stock style draws a frame's lines a
// logical pixel in from the control's edges, which then lands on device pixels
// the control does not show or its viewport and scroll bar cover: the right
// and bottom lines (or the left and top ones) go missing. From then on the
// frame of `area` is drawn on the outermost device pixels the control shows,
// the style's own frame on a device-pixel grid; at whole ratios nothing changes.
void keepFrameOnWholePixels(QAbstractScrollArea& area);

}  // namespace korvel
