#include "platform/window/controls.h"

#include <windows.h>

#include "platform/window/win32/dialog_window.h"
#include "platform/window/win32/native_controls.h"

// The role's name, not the system's ANSI/wide macro of the same name.
#undef GetWindowText

namespace korvel {

std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string CEdit::GetWindowText() const { return windowText(native_->window); }

void CEdit::markAsTyped(std::function<std::string(const std::string& text)> noteFor) {
  if (DialogWindow* dialog = DialogWindow::of(GetParent(native_->window))) {
    dialog->markField(*native_, std::move(noteFor));
  }
}

void CListBox::InsertString(int index, std::string_view label) {
  const std::string text(label);
  SendMessageA(native_->window, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

int CListBox::GetCount() const { return static_cast<int>(SendMessageA(native_->window, LB_GETCOUNT, 0, 0)); }

std::string CListBox::GetText(int index) const {
  const LRESULT length = SendMessageA(native_->window, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(native_->window, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}

int CListBox::GetCurSel() const {
  const LRESULT index = SendMessageA(native_->window, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void CListBox::SetCurSel(int index) { SendMessageA(native_->window, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace korvel
