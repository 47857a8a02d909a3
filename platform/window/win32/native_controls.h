#pragma once

// The Win32 controls behind CEdit and CListBox: the dialog's child windows,
// with what the dialog keeps of each. The dialog's window makes one for every
// edit field and list of its template when it starts, and keeps them while it
// lives.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/window/controls.h"

namespace korvel {

struct CEdit::Native {
  int id;
  HWND window;
  // The field's mark once it is marked as typed: the note for a text, and the
  // note for the text it holds now (empty: no mark).
  std::function<std::string(const std::string&)> noteFor;
  std::string note;
};

struct CListBox::Native {
  int id;
  HWND window;
};

// The text of a window, in the program's 8-bit code page.
std::string windowText(HWND window);

}  // namespace korvel
