#pragma once

// The Win32 window behind a CDialog: a dialog of the system's dialog manager,
// built from an in-memory template of res/'s data.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/dialog.h"
#include "platform/window/win32/com_apartment.h"
#include "platform/window/win32/field_mark.h"
#include "platform/window/win32/native_controls.h"
#include "platform/window/win32/window_menu.h"

namespace korvel {

struct CDialog::Native {
 public:
  Native(CDialog& dialog, CDialog* parent);
  ~Native();
  Native(const Native&) = delete;
  Native& operator=(const Native&) = delete;

  HWND hwnd() const { return hwnd_; }
  CDialog& dialog() const { return dialog_; }

  // The dialog object of a window this layer created, or null.
  static Native* of(HWND window);

  void create();
  int runModal();
  void end(int result);

  // The window menu with the program's own entries (window_menu.h).
  WindowMenu& windowMenu() { return windowMenu_; }
  // The one handle as the large and the small icon.
  void setIcon(HICON icon);

  // The field or list of control `id`; null when the template has none of that kind.
  CEdit::Native* edit(int id) const;
  CListBox::Native* list(int id) const;
  // The mark of an edit field whose text is read only in part.
  void markField(CEdit::Native& field, std::function<std::string(const std::string&)> noteFor) {
    marks_.markAsTyped(hwnd_, field, std::move(noteFor));
  }

 private:
  static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND ownerWindow() const;
  void place();
  void prepareControls();
  bool paintMinimised();
  // The edit field whose window `window` is; null for any other window.
  CEdit::Native* editOf(HWND window) const;

  ComApartment apartment_;  // first in, last out: outlives the window
  CDialog& dialog_;
  CDialog* parent_;
  std::vector<WORD> template_;
  HWND hwnd_ = nullptr;
  bool modalBox_ = false;  // run by DialogBoxIndirectParam
  bool ended_ = false;
  int result_ = 0;
  HICON icon_ = nullptr;
  FieldMarks marks_;
  WindowMenu windowMenu_;
  std::vector<std::unique_ptr<CEdit::Native>> edits_;
  std::vector<std::unique_ptr<CListBox::Native>> lists_;
};

// Its name in the Win32 wing.
using DialogWindow = CDialog::Native;

// The window of a dialog; null before it is created.
inline HWND windowOf(const CDialog& dialog) { return dialog.native().hwnd(); }

}  // namespace korvel
