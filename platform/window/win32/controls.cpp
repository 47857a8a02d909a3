#include "platform/window/controls.h"

#include <windows.h>

#include "platform/window/win32/dialog_window.h"

// The role's name, not the system's ANSI/wide macro of the same name.
#undef GetWindowText

namespace korvel {
namespace {

HWND handle(NativeControl control) { return static_cast<HWND>(control); }

}  // namespace

std::string CEdit::GetWindowText() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle(control_))) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(handle(control_), text.data(), static_cast<int>(text.size()))));
  return text;
}

void CEdit::markAsTyped(std::function<std::string(const std::string& text)> noteFor) {
  if (DialogWindow* dialog = DialogWindow::of(GetParent(handle(control_)))) {
    dialog->markField(handle(control_), std::move(noteFor));
  }
}

void CListBox::InsertString(int index, std::string_view label) {
  const std::string text(label);
  SendMessageA(handle(control_), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

int CListBox::GetCount() const { return static_cast<int>(SendMessageA(handle(control_), LB_GETCOUNT, 0, 0)); }

std::string CListBox::GetText(int index) const {
  const LRESULT length = SendMessageA(handle(control_), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(handle(control_), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}

int CListBox::GetCurSel() const {
  const LRESULT index = SendMessageA(handle(control_), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void CListBox::SetCurSel(int index) { SendMessageA(handle(control_), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace korvel
