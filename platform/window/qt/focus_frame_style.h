#pragma once

// The focus frame a keyboard user can see.

class QStyle;

namespace korvel {

// The application's style, except that the focus rectangle (inside a focused
// push button, round the current entry of a focused list) is a clear dotted
// outline whether the focus came by keyboard or mouse; the stock style draws
// it faintly, and not at all unless the focus came by keyboard. One style for
// the whole application, deleted with it.
QStyle* focusFrameStyle();

}  // namespace korvel
