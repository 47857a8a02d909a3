#pragma once

// res/'s dialog templates as the in-memory DLGTEMPLATE the dialog manager
// reads: styles, font, controls in template order with their ids, texts,
// positions and sizes in dialog units.

#include <windows.h>

#include <vector>

#include "res/dialog_template.h"

namespace korvel {

// The template's words, DWORD-aligned as the dialog manager expects.
std::vector<WORD> buildDialogTemplate(const res::DialogTemplate& dialog);

DWORD windowStyleOf(const res::ControlTemplate& control);

}  // namespace korvel
