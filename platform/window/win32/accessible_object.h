#pragma once

// What a screen reader gets for a control: the system's standard accessible
// object for its window (role, state, value, location, the list's entries),
// with the control's own name and description in place of the ones the system
// would guess from the texts around it.

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

namespace korvel {

// The standard object of `control`'s client area, named `name`; its description
// is `description()` at the time a reader asks (empty: none). Null when the
// system gives no standard object. The caller owns the one reference returned.
IAccessible* createNamedAccessible(HWND control, std::wstring name, std::function<std::wstring()> description);

}  // namespace korvel
