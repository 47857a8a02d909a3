#pragma once

// A dialog's window menu: the system's own, with the program's entries after
// it, opened where the user asks for it. The program's entries' commands reach
// the dialog's OnSysCommand; the system's own it carries out itself.

#include <windows.h>

#include <string_view>
#include <vector>

namespace korvel {

class WindowMenu {
 public:
  // Appends an entry of the program's own to the window menu of `dialog`.
  void append(HWND dialog, int command, std::string_view text);
  static void appendSeparator(HWND dialog);
  // Whether the command of a WM_SYSCOMMAND is one of the program's entries.
  bool isOwn(WPARAM command) const;
  // Opens the menu of `dialog` at `where` (screen coordinates; -1 from the
  // keyboard) and carries out the chosen entry; false when it has no menu.
  static bool show(HWND dialog, LPARAM where);

 private:
  std::vector<int> commands_;
};

}  // namespace korvel
