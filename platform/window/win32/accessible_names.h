#pragma once

// Names the controls of a dialog for screen readers, from its template: each
// field and list by the label on its row, an icon by the picture it shows, as
// on every window system. Without this the system guesses a field's name from
// the static text created before it, which in these templates is the label of
// another row. Two ways, so that every reader hears it: the system's own
// annotation of the window, and the control's answer to a reader's request for
// its accessible object. Nothing visible changes.

#include <windows.h>

#include <string>

#include "res/dialog_template.h"

namespace korvel {

// `dialog` holds the controls of `dialogTemplate`, created in template order.
void nameControls(HWND dialog, const res::DialogTemplate& dialogTemplate);

// The description readers give `control` from now on (empty: none), e.g. what a
// field's text is read as. Only for a control nameControls named.
void describeControl(HWND control, const std::string& description);

}  // namespace korvel
