#pragma once

// The program's message boxes: modal over their owner dialog, one OK button,
// the application's name as caption. Each returns once the user has
// dismissed it; the owner stays open.

#include <string>

namespace korvel {

class CDialog;
class FileFailure;

// A notice or warning, with the exclamation-mark icon.
void showMessageBox(CDialog& owner, const std::string& text);

// A file that could not be written: the stop icon, the file's name and the
// system's reason.
void showFileFailureReport(CDialog& owner, const FileFailure& failure);

}  // namespace korvel
