#pragma once

// The program's message boxes: modal over their owner window, one OK button,
// the application's name as caption.

#include <string>

class QWidget;

namespace korvel {

class FileFailure;

// A notice or warning, with the exclamation-mark icon. Returns once the user
// has dismissed it.
void showMessageBox(QWidget* owner, const std::string& text);

// A file that could not be written: the stop icon, the file's name and the
// system's reason. The owner stays open.
void showFileFailureReport(QWidget* owner, const FileFailure& failure);

}  // namespace korvel
