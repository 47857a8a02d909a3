#pragma once

// Qt's own widget for each kind of template control.

#include "platform/window/qt/dialog_units.h"
#include "res/dialog_template.h"

class QWidget;

namespace korvel {

// Creates the control on `parent`, placed and sized from its dialog units, with
// its text and styles. Focus policy and tab order are the dialog's business.
QWidget* createControl(const res::ControlTemplate& control, DialogBaseUnits base, QWidget* parent);

}  // namespace korvel
