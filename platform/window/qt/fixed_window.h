#pragma once

// Dialogs of a fixed size: they are never maximised nor shown full screen.

class QWidget;

namespace korvel {

// Undoes every change of `window` to the maximised or full-screen state at
// once, whether the program or the window manager asked for it, so the window
// keeps its size and its place. Minimising stays possible.
void keepWindowNormal(QWidget& window);

}  // namespace korvel
