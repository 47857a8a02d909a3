#pragma once

// Whether the busy cursor shows over the program's dialogs now.

namespace korvel {

bool busyCursorShown();

}  // namespace korvel
