#include "platform/window/win32/window_menu.h"

#include <string>

#include "platform/window/dialog.h"
#include "platform/window/win32/dialog_window.h"

namespace korvel {

// ---- CDialog's window menu --------------------------------------------------

bool CDialog::hasWindowMenu() const {
  return (template_.styles & res::dialog_style::kWindowMenu) != 0 && native_->hwnd() != nullptr &&
         GetSystemMenu(native_->hwnd(), FALSE) != nullptr;
}

void CDialog::appendWindowMenuEntry(int command, std::string_view text) {
  if (!hasWindowMenu()) return;
  native_->windowMenu().append(native_->hwnd(), command, text);
}

void CDialog::appendWindowMenuSeparator() {
  if (hasWindowMenu()) WindowMenu::appendSeparator(native_->hwnd());
}

void CDialog::OnSysCommand(int command) {
  if ((command & kSysCommandMask) == SC_CLOSE) PostMessageA(native_->hwnd(), WM_CLOSE, 0, 0);
}

// ---- WindowMenu -------------------------------------------------------------

void WindowMenu::append(HWND dialog, int command, std::string_view text) {
  const std::string label(text);
  AppendMenuA(GetSystemMenu(dialog, FALSE), MF_STRING, static_cast<UINT_PTR>(command), label.c_str());
  commands_.push_back(command);
}

void WindowMenu::appendSeparator(HWND dialog) { AppendMenuA(GetSystemMenu(dialog, FALSE), MF_SEPARATOR, 0, nullptr); }

bool WindowMenu::isOwn(WPARAM command) const {
  const int named = static_cast<int>(command & CDialog::kSysCommandMask);
  for (int own : commands_) {
    if ((own & CDialog::kSysCommandMask) == named) return true;
  }
  return false;
}

// At the pointer after a right click on the form, a button or the list; below
// the focused control from the keyboard (Shift+F10, the Menu key). An edit
// field keeps its own menu: the system asks the field first, and it does not
// pass the request on.
bool WindowMenu::show(HWND dialog, LPARAM where) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (menu == nullptr) return false;
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (where == -1) {
    HWND focus = GetFocus();
    RECT control;
    GetWindowRect(focus != nullptr && IsChild(dialog, focus) ? focus : dialog, &control);
    at = POINT{control.left, control.bottom};
  }
  // The entries' states as the title bar's menu would show them for this window.
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  const bool normal = !IsIconic(dialog) && !IsZoomed(dialog);
  const auto enable = [menu](UINT command, bool enabled) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(SC_RESTORE, !normal);
  enable(SC_MOVE, !IsZoomed(dialog));
  enable(SC_SIZE, normal && (style & WS_THICKFRAME) != 0);
  enable(SC_MINIMIZE, !IsIconic(dialog) && (style & WS_MINIMIZEBOX) != 0);
  enable(SC_MAXIMIZE, !IsZoomed(dialog) && (style & WS_MAXIMIZEBOX) != 0);
  const UINT command =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog, nullptr));
  if (command != 0) SendMessageW(dialog, WM_SYSCOMMAND, command, 0);
  return true;
}

}  // namespace korvel
