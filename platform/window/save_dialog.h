#pragma once

// The save-as dialog of the Calculate command.

#include <optional>
#include <string>

namespace korvel {

class CDialog;

// Asks for a file to save to, starting in the current directory: no filter, no
// default extension, no initial name; an existing file is replaced only after
// the user confirms. On confirmation the chosen folder becomes the process's
// current directory and the bare file name (name and extension) is returned;
// when the folder cannot be entered, the full path is returned instead. Any
// other ending returns nothing. Nothing is read from or written to the
// user's settings.
std::optional<std::string> askSaveFileName(CDialog& owner);

}  // namespace korvel
