#pragma once

// Names the controls of a dialog for screen readers and automation, from its
// template: each field and list is named by the label on its row, which becomes
// its buddy; an icon by the picture it shows. Nothing visible changes.

#include <vector>

#include "res/dialog_template.h"

class QWidget;

namespace korvel {

// `controls` are the dialog's controls in template order.
void nameControls(const res::DialogTemplate& dialog, const std::vector<QWidget*>& controls);

}  // namespace korvel
